// The Desktop's loop: input routing, posted messages, timers and sleeping.
#include <algorithm>
#include <cstdlib>

#include "platform/gfx/utf8.h"
#include "platform/ui/desktop.h"
#include "platform/ui/desktop_impl.h"
#include "platform/ui/timer.h"

namespace kes::ui {

namespace {

WParam MouseKeyFlags(MouseButtons buttons, ShiftState shift) {
    WParam w = 0;
    if (buttons & kLeftButton) w |= MK_LBUTTON;
    if (buttons & kRightButton) w |= MK_RBUTTON;
    if (buttons & kMiddleButton) w |= MK_MBUTTON;
    if (shift & kShiftMask) w |= MK_SHIFT;
    if (shift & kCtrlMask) w |= MK_CONTROL;
    return w;
}

Message DownMessage(MouseButtons b) {
    return b == kRightButton ? WM_RBUTTONDOWN : b == kMiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
}
Message UpMessage(MouseButtons b) {
    return b == kRightButton ? WM_RBUTTONUP : b == kMiddleButton ? WM_MBUTTONUP : WM_LBUTTONUP;
}

Msg MakeMsg(Hwnd h, Message m, WParam w, LParam l) {
    Msg msg;
    msg.hwnd = h;
    msg.message = m;
    msg.wParam = w;
    msg.lParam = l;
    return msg;
}

bool IsInputMessage(Message m) {
    return (m >= WM_MOUSEMOVE && m <= WM_MOUSEWHEEL) || (m >= WM_KEYDOWN && m <= WM_SYSCHAR);
}

// The character a key makes besides the text the keyboard sends: control
// characters, Ctrl+letter and Alt+letter for access keys. 0 for none.
char32_t KeyCharacter(KeyCode key, ShiftState shift) {
    const bool alt = shift & kAltMask, ctrl = shift & kCtrlMask;
    const bool letter = key >= 'A' && key <= 'Z', digit = key >= '0' && key <= '9';
    if (alt && !ctrl) {
        if (letter) return (shift & kShiftMask) ? key : key + 32;
        return digit ? key : 0;
    }
    if (ctrl && !alt && letter) return key - 'A' + 1;
    if (alt) return 0;
    switch (key) {
        case VK_BACK: return 8;
        case VK_TAB: return 9;
        case VK_RETURN: return 13;
        case VK_ESCAPE: return 27;
        default: return 0;
    }
}

// The window under a screen point inside `top` that takes input; 0 when the
// top-level window itself takes none (a modal window's owner).
Hwnd HitIn(const Desktop& d, Hwnd top, gfx::Point screen) {
    if (!d.IsWindow(top) || !d.IsEnabled(top)) return 0;
    const gfx::Rect tr = d.GetWindowRect(top);
    return d.ChildWindowFromPoint(top, {screen.x - tr.x, screen.y - tr.y});
}

}  // namespace

Hwnd Desktop::TopOfNative(NativeId id) const {
    if (id == 0) return 0;
    for (Hwnd t : impl_->tops)
        if (const WindowRec* r = Find(*impl_, t); r && r->native == id) return t;
    return 0;
}

bool Desktop::DispatchInput(Msg msg) {
    msg.time = backend_->NowMs();
    msg.pt = impl_->pointer;
    current_ = msg;
    if (WindowRec* top = Find(*impl_, GetTopLevel(msg.hwnd)); top && top->hook) {
        const PreTranslateHook hook = top->hook;  // the hook may replace itself
        if (hook(msg)) return false;
        current_ = msg;
    }
    if (!IsWindow(msg.hwnd)) return false;
    SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    return true;
}

void Desktop::CheckHover(Hwnd now_under) {
    DesktopImpl& im = *impl_;
    im.hover = now_under;
    // Each window asked for one leave; it is told once and forgotten.
    std::vector<Hwnd> leaving;
    for (Hwnd h : im.tracking)
        if (h != now_under) leaving.push_back(h);
    for (Hwnd h : leaving) {
        std::erase(im.tracking, h);
        SendMessage(h, WM_MOUSELEAVE, 0, 0);
    }
}

void Desktop::HandleMouse(const BackendEvent& ev) {
    DesktopImpl& im = *impl_;
    const gfx::Point p = ev.screen_pos;
    im.pointer = p;
    switch (ev.kind) {
        case EventKind::MouseDown:
            buttons_ |= ev.button;
            im.handoff = {};
            break;
        case EventKind::MouseUp: buttons_ &= static_cast<MouseButtons>(~ev.button); break;
        case EventKind::MouseMove: buttons_ = ev.buttons; break;
        default: break;
    }
    shift_ = ev.shift;

    if (im.moving) {
        // A title-bar drag handed to us: the window follows the pointer.
        const Hwnd top = im.move_top;
        if (ev.kind == EventKind::MouseMove && IsWindow(top)) {
            gfx::Rect r = GetWindowRect(top);
            r.x = p.x - im.move_offset.x;
            r.y = p.y - im.move_offset.y;
            SendMessage(top, WM_MOVING, 0, reinterpret_cast<LParam>(&r));
            SetWindowRect(top, r);
        } else if (ev.kind == EventKind::MouseUp && ev.button == kLeftButton) {
            im.moving = false;
            backend_->CaptureNative(0);
            SendMessage(top, WM_EXITSIZEMOVE, 0, 0);
            im.check_hover = true;
        }
        return;
    }

    Hwnd top = TopOfNative(ev.window);
    if (!top || !GetWindowRect(top).contains(p) || !IsShownOnScreen(top)) top = TopAt(im, p);
    const bool top_blocked = top && !IsEnabled(top);
    Hwnd hit = HitIn(*this, top, p);
    CheckHover(hit);
    // A leave handler may have destroyed what the pointer is over: look again.
    if (hit && !IsWindow(hit)) {
        hit = HitIn(*this, top, p);
        im.hover = hit;
    }
    const Hwnd target = capture_ ? capture_ : hit;
    if (!target) {
        // A press on a window that waits for its modal window brings that one forward.
        if (ev.kind == EventKind::MouseDown && top_blocked && !im.modal_stack.empty())
            SetActiveWindow(im.modal_stack.back());
        return;
    }
    const gfx::Point c = ScreenToClient(target, p);
    const WParam keys = MouseKeyFlags(buttons_, shift_);
    switch (ev.kind) {
        case EventKind::MouseMove:
            if (!capture_) SendMessage(hit, WM_SETCURSOR, static_cast<WParam>(hit), MakeLParam(HTCLIENT, WM_MOUSEMOVE));
            DispatchInput(MakeMsg(target, WM_MOUSEMOVE, keys, MakeLParam(c.x, c.y)));
            break;
        case EventKind::MouseDown: {
            const Hwnd t = GetTopLevel(target);
            if (t != active_) {
                im.click_activate = true;
                SetActiveWindow(t);
                im.click_activate = false;
                if (!IsWindow(target)) return;
            }
            const Message down = DownMessage(ev.button);
            Message msg = down;
            const std::int64_t now = backend_->NowMs();
            DesktopImpl::Click& lc = im.last_click;
            const WindowRec* r = Find(im, target);
            if (!r) return;
            if (r->double_clicks && lc.hwnd == target && lc.down == down && !lc.was_double &&
                now - lc.time <= backend_->DoubleClickMs() && std::abs(p.x - lc.pos.x) <= kDoubleClickSlop / 2 &&
                std::abs(p.y - lc.pos.y) <= kDoubleClickSlop / 2) {
                msg = down + 2;  // the DBLCLK message follows UP
                lc.was_double = true;
            } else {
                lc = DesktopImpl::Click{target, down, now, p, false};
            }
            DispatchInput(MakeMsg(target, msg, keys, MakeLParam(c.x, c.y)));
            break;
        }
        case EventKind::MouseUp:
            DispatchInput(MakeMsg(target, UpMessage(ev.button), keys, MakeLParam(c.x, c.y)));
            break;
        case EventKind::MouseWheel:
            DispatchInput(MakeMsg(target, WM_MOUSEWHEEL, MakeWParam(static_cast<int>(keys), ev.wheel_delta),
                              MakeLParam(p.x, p.y)));
            break;
        default: break;
    }
}

void Desktop::HandleKey(const BackendEvent& ev) {
    if (ev.kind != EventKind::TextInput) shift_ = ev.shift;
    if (ev.kind == EventKind::KeyDown) impl_->handoff = {};
    auto target = [this]() -> Hwnd {
        const Hwnd t = focus_ ? focus_ : active_;
        return t && IsEnabledForInput(GetTopLevel(t)) ? t : 0;
    };
    const Hwnd to = target();
    if (!to) return;
    const bool alt = shift_ & kAltMask;
    switch (ev.kind) {
        case EventKind::KeyDown: {
            const LParam l = 1 | (ev.repeat ? (1 << 30) : 0) | (alt ? (1 << 29) : 0);
            const bool delivered = DispatchInput(MakeMsg(to, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, ev.key, l));
            const char32_t ch = KeyCharacter(ev.key, shift_);
            if (delivered && ch) {
                if (const Hwnd now = target())
                    DispatchInput(MakeMsg(now, alt ? WM_SYSCHAR : WM_CHAR, static_cast<WParam>(ch), l));
            }
            break;
        }
        case EventKind::KeyUp: {
            const LParam l = 1 | (LParam{1} << 30) | (LParam{1} << 31);
            DispatchInput(MakeMsg(to, alt || ev.key == VK_MENU ? WM_SYSKEYUP : WM_KEYUP, ev.key, l));
            break;
        }
        case EventKind::TextInput:
            // With Alt held the letter is an access key (WM_SYSCHAR), not text.
            if ((shift_ & kAltMask) && !(shift_ & kCtrlMask)) break;
            for (char32_t ch : gfx::decode_utf8(ev.text)) {
                const Hwnd now = target();
                if (!now) break;
                DispatchInput(MakeMsg(now, WM_CHAR, static_cast<WParam>(ch), 1));
            }
            break;
        default: break;
    }
}

void Desktop::Deactivate(Hwnd top) {
    if (active_ != top || !IsWindow(top)) return;
    if (focus_ && GetTopLevel(focus_) == top) {
        const Hwnd f = focus_;
        focus_ = 0;
        SendMessage(f, WM_KILLFOCUS, 0, 0);
    }
    active_ = 0;
    SendMessage(top, WM_NCACTIVATE, 0, 0);
    SendMessage(top, WM_ACTIVATE, WA_INACTIVE, 0);
}

void Desktop::DesktopActivated(Hwnd top) {
    DesktopImpl& im = *impl_;
    if (!IsWindow(top)) return;
    if (IsEnabled(top)) {
        Activate(top, false);
        return;
    }
    if (im.modal_stack.empty()) return;
    const Hwnd modal = im.modal_stack.back();
    const std::int64_t now = backend_->NowMs();
    // One handoff per user action (or per while): a desktop that insists on
    // the owner is not fought in a loop.
    if (im.handoff.to == modal && now - im.handoff.time < kHandoffRearmMs) return;
    im.handoff = {modal, now};
    if (active_ == modal) {
        if (const WindowRec* r = Find(im, modal)) backend_->RaiseNative(r->native);
    } else {
        SetActiveWindow(modal);
    }
}

void Desktop::HandleEvent(const BackendEvent& ev) {
    DesktopImpl& im = *impl_;
    const Hwnd top = TopOfNative(ev.window);
    switch (ev.kind) {
        case EventKind::MouseMove:
        case EventKind::MouseDown:
        case EventKind::MouseUp:
        case EventKind::MouseWheel: HandleMouse(ev); break;
        case EventKind::PointerLeft:
            if (!im.moving) CheckHover(0);
            break;
        case EventKind::KeyDown:
        case EventKind::KeyUp:
        case EventKind::TextInput: HandleKey(ev); break;
        case EventKind::CloseRequest: {
            std::vector<Hwnd> targets;
            if (ev.window == 0) targets = im.tops;
            else if (top) targets.push_back(top);
            for (Hwnd t : targets)
                if (IsWindow(t) && IsEnabled(t)) SendMessage(t, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        case EventKind::Activated: DesktopActivated(top); break;
        case EventKind::Deactivated:
            if (top) Deactivate(top);
            break;
        case EventKind::Moved:
            if (WindowRec* r = Find(im, top); r && r->rect.location() != ev.screen_pos) {
                r->rect.x = ev.screen_pos.x;
                r->rect.y = ev.screen_pos.y;
                im.check_hover = true;
                SendMessage(top, WM_MOVE, 0, MakeLParam(r->rect.x, r->rect.y));
            }
            break;
        case EventKind::Resized:
            if (WindowRec* r = Find(im, top); r && r->rect.size() != ev.size) {
                r->rect.width = ev.size.width;
                r->rect.height = ev.size.height;
                r->composed = gfx::Surface(r->rect.width, r->rect.height);
                r->dirty.clear();
                InvalidateRect(top);
                im.check_hover = true;
                SendMessage(top, WM_SIZE, SIZE_RESTORED, MakeLParam(ev.size.width, ev.size.height));
            }
            break;
        case EventKind::Minimized:
            if (WindowRec* r = Find(im, top); r && !r->minimized) {
                r->minimized = true;
                im.check_hover = true;
                SendMessage(top, WM_SIZE, SIZE_MINIMIZED, 0);
            }
            break;
        case EventKind::Restored:
            if (WindowRec* r = Find(im, top); r && r->minimized) {
                r->minimized = false;
                InvalidateRect(top);
                im.check_hover = true;
                SendMessage(top, WM_SIZE, SIZE_RESTORED, MakeLParam(r->rect.width, r->rect.height));
            }
            break;
        case EventKind::Exposed:
            if (WindowRec* r = Find(im, top); r && r->dirty.empty() && !r->composed.is_empty())
                backend_->Present(r->native, r->composed, r->composed.rect());
            else if (top)
                InvalidateRect(top);
            break;
        case EventKind::None: break;
    }
}

bool Desktop::FireDueTimers() {
    DesktopImpl& im = *impl_;
    const std::int64_t now = backend_->NowMs();
    struct Due {
        Hwnd hwnd;
        std::uintptr_t id;
        Timer* object;
        std::int64_t due;
    };
    std::vector<Due> due;
    for (const TimerRec& t : im.timers)
        if (t.due <= now) due.push_back({t.hwnd, t.id, t.object, t.due});
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) { return a.due < b.due; });
    for (const Due& d : due) {
        // An earlier tick may have stopped, restarted or removed this timer.
        auto it = std::find_if(im.timers.begin(), im.timers.end(), [&](const TimerRec& t) {
            return t.hwnd == d.hwnd && t.id == d.id && t.object == d.object;
        });
        if (it == im.timers.end() || it->due != d.due) continue;
        // Ticks missed while the loop was busy are not made up for: one tick, then on.
        it->due = d.due + it->interval <= now ? now + it->interval : d.due + it->interval;
        if (d.object) {
            const std::function<void()> tick = d.object->on_tick_;
            if (tick) tick();
        } else {
            SendMessage(d.hwnd, WM_TIMER, d.id, 0);
        }
    }
    return !due.empty();
}

void Desktop::PaintAll() {
    const std::vector<Hwnd> tops = impl_->tops;
    for (Hwnd t : tops)
        if (IsShownOnScreen(t)) ComposeTop(*this, *impl_, *backend_, t, true);
}

bool Desktop::Pass(bool may_wait, std::int64_t limit_ms) {
    DesktopImpl& im = *impl_;
    bool did = false;
    BackendEvent ev;
    while (!im.quit && backend_->PollEvent(ev)) {
        HandleEvent(ev);
        did = true;
    }
    // Only what was posted before this pass: a message that posts itself again waits for the next one.
    for (std::size_t n = im.queue.size(); n > 0 && !im.queue.empty() && !im.quit; --n) {
        Msg m = im.queue.front();
        im.queue.pop_front();
        did = true;
        if (IsInputMessage(m.message)) {
            DispatchInput(m);
        } else if (IsWindow(m.hwnd)) {
            current_ = m;
            SendMessage(m.hwnd, m.message, m.wParam, m.lParam);
        }
    }
    if (!im.quit && FireDueTimers()) did = true;
    if (im.check_hover && !im.moving) {
        im.check_hover = false;
        CheckHover(HitIn(*this, TopAt(im, im.pointer), im.pointer));
    }
    PaintAll();
    if (did || !may_wait || im.quit || !im.queue.empty()) return did;

    std::int64_t timeout = -1;
    if (!im.timers.empty()) {
        std::int64_t next = im.timers.front().due;
        for (const TimerRec& t : im.timers) next = std::min(next, t.due);
        timeout = std::max<std::int64_t>(0, next - backend_->NowMs());
    }
    if (limit_ms >= 0) timeout = timeout < 0 ? limit_ms : std::min(timeout, limit_ms);
    switch (backend_->WaitEvent(ev, timeout)) {
        case WaitResult::Event: HandleEvent(ev); return true;
        case WaitResult::Timeout: return false;
        case WaitResult::Stalled: im.stalled = true; return false;
    }
    return false;
}

int Desktop::Run() {
    DesktopImpl& im = *impl_;
    im.stalled = false;
    while (!im.quit && !im.tops.empty()) {
        Pass(true, -1);
        if (im.stalled) return -1;
    }
    const int code = im.quit ? im.quit_code : 0;
    im.quit = false;
    im.quit_code = 0;
    return code;
}

void Desktop::DoEvents() { Pass(false, 0); }

void Desktop::RunFor(std::int64_t ms) {
    DesktopImpl& im = *impl_;
    const std::int64_t deadline = backend_->NowMs() + ms;
    im.stalled = false;
    while (!im.quit) {
        const std::int64_t left = deadline - backend_->NowMs();
        if (left <= 0) break;
        Pass(true, left);
        if (im.stalled) break;
    }
    // What fell due at the deadline itself runs too.
    if (!im.quit) Pass(false, 0);
}

bool Desktop::ShowModal(Hwnd h) {
    DesktopImpl& im = *impl_;
    WindowRec* r = Find(im, h);
    if (!r || r->parent) return false;
    const Hwnd owner = r->owner;
    const bool disable_owner = owner && IsEnabled(owner);
    if (disable_owner) EnableWindow(owner, false);
    im.modal_stack.push_back(h);
    im.handoff = {};
    if (!IsVisible(h)) ShowWindow(h, true);
    else SetActiveWindow(h);
    im.stalled = false;
    bool ended = true;
    while (IsWindow(h) && IsVisible(h)) {
        if (im.quit || im.stalled) {
            ended = false;
            break;
        }
        Pass(true, -1);
    }
    std::erase(im.modal_stack, h);
    if (disable_owner && IsWindow(owner)) {
        EnableWindow(owner, true);
        if (IsVisible(owner)) SetActiveWindow(owner);
    }
    return ended;
}

bool Desktop::IsModal(Hwnd h) const {
    return std::find(impl_->modal_stack.begin(), impl_->modal_stack.end(), h) != impl_->modal_stack.end();
}

void Desktop::Quit(int code) {
    impl_->quit = true;
    impl_->quit_code = code;
    backend_->Wake();
}

}  // namespace kes::ui
