#include "platform/ui/desktop.h"

#include "platform/ui/desktop_impl.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>

#include "platform/gfx/canvas.h"
#include "platform/gfx/color.h"
#include "platform/gfx/utf8.h"
#include "platform/ui/timer.h"

namespace kes::ui {

namespace {

Desktop* g_current = nullptr;

}  // namespace

// ============================================================================
// Construction
// ============================================================================

Desktop::Desktop(std::unique_ptr<Backend> backend) : backend_(std::move(backend)), impl_(std::make_unique<DesktopImpl>()) {
    g_current = this;
    backend_->SetCaptionTest(
        [](void* context, NativeId id, gfx::Point client) -> bool {
            auto* self = static_cast<Desktop*>(context);
            for (auto& [h, rec] : self->impl_->windows) {
                if (rec->native != id) continue;
                const Hwnd hit = self->ChildWindowFromPoint(h, client);
                if (hit == 0) return false;
                const gfx::Point s = self->ClientToScreen(h, client);
                return self->SendMessage(hit, WM_NCHITTEST, 0, MakeLParam(s.x, s.y)) == HTCAPTION;
            }
            return false;
        },
        this);
    impl_->pointer = backend_->PointerPosition();
}

Desktop::~Desktop() {
    // Destroy from the front so owned windows go before their owners.
    while (!impl_->tops.empty()) DestroyWindow(impl_->tops.back());
    // Timer objects that outlive us must not reach back into a dead table.
    for (TimerRec& t : impl_->timers)
        if (t.object) t.object->running_ = false;
    impl_->timers.clear();
    backend_->SetCaptionTest(nullptr, nullptr);
    if (g_current == this) g_current = nullptr;
}

Desktop* Desktop::Current() { return g_current; }

// ============================================================================
// Windows
// ============================================================================


Hwnd Desktop::CreateWindow(const WindowDesc& desc, WindowProc proc) {
    DesktopImpl& im = *impl_;
    WindowRec* parent = Find(im, desc.parent);
    if (desc.parent != 0 && parent == nullptr) return 0;
    auto rec = std::make_unique<WindowRec>();
    const Hwnd h = im.next_handle++;
    rec->hwnd = h;
    rec->parent = desc.parent;
    rec->owner = parent ? 0 : (Find(im, desc.owner) ? desc.owner : 0);
    rec->rect = desc.rect;
    rec->text = desc.caption;
    rec->visible = desc.visible;
    rec->enabled = desc.enabled;
    rec->transparent = desc.transparent;
    rec->persistent = desc.persistent;
    rec->double_clicks = desc.double_clicks;
    rec->background = desc.background;
    rec->cursor = desc.cursor;
    rec->proc = std::make_shared<WindowProc>(std::move(proc));
    rec->topmost = desc.topmost;
    WindowRec* r = rec.get();
    im.windows.emplace(h, std::move(rec));
    if (parent) {
        parent->children.push_back(h);
    } else {
        NativeWindowDesc nd;
        nd.title = desc.caption;
        nd.bounds = desc.rect;
        nd.visible = desc.visible;
        nd.topmost = desc.topmost;
        nd.show_in_taskbar = desc.show_in_taskbar;
        r->native = backend_->CreateNativeWindow(nd);
        if (const WindowRec* o = Find(im, r->owner)) backend_->SetNativeOwner(r->native, o->native);
        r->composed = gfx::Surface(std::max(desc.rect.width, 0), std::max(desc.rect.height, 0));
        r->dirty.push_back(r->composed.rect());
        im.tops.push_back(h);
    }
    SendMessage(h, WM_CREATE, 0, 0);
    if (IsWindow(h) && desc.visible) {
        InvalidateRect(h);
        im.check_hover = true;
        if (!parent) SetActiveWindow(h);
    }
    return h;
}

void Desktop::DestroyWindow(Hwnd h) {
    DesktopImpl& im = *impl_;
    WindowRec* r = Find(im, h);
    if (!r || r->destroying) return;
    r->destroying = true;
    const bool was_shown = IsShownOnScreen(h);
    if (was_shown && r->parent) InvalidateRect(r->parent, r->rect);
    SendMessage(h, WM_DESTROY, 0, 0);
    // Owned top-level windows go with their owner.
    if (!r->parent) {
        std::vector<Hwnd> owned;
        for (Hwnd t : im.tops)
            if (WindowRec* o = Find(im, t); o && o->owner == h) owned.push_back(t);
        for (Hwnd t : owned) DestroyWindow(t);
    }
    r = Find(im, h);
    const std::vector<Hwnd> kids = r->children;
    for (Hwnd c : kids) DestroyWindow(c);
    r = Find(im, h);

    if (capture_ == h) {
        capture_ = 0;
        backend_->CaptureNative(0);
    }
    if (focus_ == h) focus_ = 0;
    if (im.hover == h) im.hover = 0;
    std::erase(im.tracking, h);
    if (im.last_click.hwnd == h) im.last_click = {};
    if (im.moving && im.move_top == h) im.moving = false;
    std::erase_if(im.timers, [h](const TimerRec& t) { return t.hwnd == h; });
    if (r->object) {
        r->object->hwnd_ = 0;
        r->object->destroyed_ = true;
    }
    for (auto& [oh, other] : im.windows)
        if (other->last_focus == h) other->last_focus = 0;

    if (WindowRec* p = Find(im, r->parent)) {
        std::erase(p->children, h);
    } else {
        std::erase(im.tops, h);
        if (r->native) backend_->DestroyNativeWindow(r->native);
        if (active_ == h) {
            active_ = 0;
            // The owner, else the front-most other window, becomes active.
            Hwnd next = 0;
            if (WindowRec* o = Find(im, r->owner); o && o->visible && IsEnabled(r->owner)) next = r->owner;
            for (auto it = im.tops.rbegin(); next == 0 && it != im.tops.rend(); ++it)
                if (IsVisible(*it) && IsEnabled(*it) && !IsMinimized(*it)) next = *it;
            im.windows.erase(h);
            if (next) SetActiveWindow(next);
            im.check_hover = true;
            return;
        }
    }
    im.windows.erase(h);
    im.check_hover = true;
}

bool Desktop::IsWindow(Hwnd h) const { return Find(*impl_, h) != nullptr; }

Window* Desktop::WindowObject(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? r->object : nullptr;
}

Hwnd Desktop::GetParent(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? r->parent : 0;
}

bool Desktop::SetParent(Hwnd h, Hwnd new_parent) {
    DesktopImpl& im = *impl_;
    WindowRec* r = Find(im, h);
    WindowRec* np = Find(im, new_parent);
    if (!r || !np || r->parent == 0 || IsSelfOrAncestor(h, new_parent)) return false;
    if (r->parent == new_parent) return true;
    if (IsShownOnScreen(h)) InvalidateRect(r->parent, r->rect);
    if (WindowRec* op = Find(im, r->parent)) std::erase(op->children, h);
    r->parent = new_parent;
    np->children.push_back(h);
    if (IsShownOnScreen(h)) InvalidateRect(h);
    im.check_hover = true;
    return true;
}

Hwnd Desktop::GetTopLevel(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    while (r && r->parent) r = Find(*impl_, r->parent);
    return r ? r->hwnd : 0;
}

Hwnd Desktop::GetOwner(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? r->owner : 0;
}

bool Desktop::IsSelfOrAncestor(Hwnd ancestor, Hwnd h) const {
    for (const WindowRec* r = Find(*impl_, h); r; r = Find(*impl_, r->parent))
        if (r->hwnd == ancestor) return true;
    return false;
}

std::vector<Hwnd> Desktop::GetChildren(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? r->children : std::vector<Hwnd>{};
}

std::vector<Hwnd> Desktop::GetTopLevelWindows() const {
    std::vector<Hwnd> out = impl_->tops;
    std::sort(out.begin(), out.end());  // handles grow with creation
    return out;
}

gfx::Rect Desktop::GetWindowRect(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? r->rect : gfx::Rect{};
}

gfx::Rect Desktop::GetClientRect(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? gfx::Rect{0, 0, r->rect.width, r->rect.height} : gfx::Rect{};
}

void Desktop::SetWindowRect(Hwnd h, gfx::Rect rect) {
    WindowRec* r = Find(*impl_, h);
    if (!r) return;
    rect.width = std::max(rect.width, 0);
    rect.height = std::max(rect.height, 0);
    const gfx::Rect old = r->rect;
    if (old == rect) return;
    const bool moved = old.location() != rect.location();
    const bool sized = old.size() != rect.size();
    if (r->parent && IsShownOnScreen(h)) InvalidateRect(r->parent, old);
    r->rect = rect;
    if (sized && r->persistent) r->picture_ready = false;
    if (!r->parent) {
        backend_->SetNativeBounds(r->native, rect);
        if (sized) {
            r->composed = gfx::Surface(rect.width, rect.height);
            r->dirty.clear();
        }
    }
    InvalidateRect(h);
    impl_->check_hover = true;
    if (moved) SendMessage(h, WM_MOVE, 0, MakeLParam(rect.x, rect.y));
    if (sized && IsWindow(h)) SendMessage(h, WM_SIZE, SIZE_RESTORED, MakeLParam(rect.width, rect.height));
}

void Desktop::SetZOrder(Hwnd h, ZOrder where) {
    DesktopImpl& im = *impl_;
    WindowRec* r = Find(im, h);
    if (!r) return;
    std::vector<Hwnd>& list = r->parent ? Find(im, r->parent)->children : im.tops;
    std::erase(list, h);
    if (where == ZOrder::Top)
        list.push_back(h);
    else
        list.insert(list.begin(), h);
    if (r->parent) InvalidateRect(h);
    else if (where == ZOrder::Top) backend_->RaiseNative(r->native);
    im.check_hover = true;
}

void Desktop::ShowWindow(Hwnd h, bool visible) {
    DesktopImpl& im = *impl_;
    WindowRec* r = Find(im, h);
    if (!r || r->visible == visible) return;
    if (!visible && r->parent && IsShownOnScreen(h)) InvalidateRect(r->parent, r->rect);
    r->visible = visible;
    SendMessage(h, WM_SHOWWINDOW, visible ? 1 : 0, 0);
    r = Find(im, h);
    if (!r) return;
    im.check_hover = true;
    if (visible) {
        InvalidateRect(h);
        if (!r->parent) {
            backend_->ShowNative(r->native, true);
            SetActiveWindow(h);
        }
        return;
    }
    if (focus_ && IsSelfOrAncestor(h, focus_)) SetFocus(0);
    if (capture_ && IsSelfOrAncestor(h, capture_)) ReleaseCapture();
    for (auto& [oh, other] : im.windows)
        if (other->last_focus && IsSelfOrAncestor(h, other->last_focus) && other->hwnd != h && !other->parent &&
            other->hwnd != GetTopLevel(h))
            other->last_focus = 0;
    if (!r->parent) {
        backend_->ShowNative(r->native, false);
        if (active_ == h) {
            SendMessage(h, WM_NCACTIVATE, 0, 0);
            SendMessage(h, WM_ACTIVATE, WA_INACTIVE, 0);
            active_ = 0;
            Hwnd next = 0;
            if (WindowRec* o = Find(im, r->owner); o && o->visible && o->enabled) next = r->owner;
            for (auto it = im.tops.rbegin(); next == 0 && it != im.tops.rend(); ++it)
                if (*it != h && IsVisible(*it) && IsEnabled(*it) && !IsMinimized(*it)) next = *it;
            if (next) SetActiveWindow(next);
        }
    } else if (WindowRec* t = Find(im, GetTopLevel(h)); t && t->last_focus && IsSelfOrAncestor(h, t->last_focus)) {
        t->last_focus = 0;
    }
}

bool Desktop::IsVisible(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r && r->visible;
}

bool Desktop::IsShownOnScreen(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    if (!r) return false;
    for (; r; r = Find(*impl_, r->parent))
        if (!r->visible || r->minimized) return false;
    return true;
}

void Desktop::EnableWindow(Hwnd h, bool enabled) {
    WindowRec* r = Find(*impl_, h);
    if (!r || r->enabled == enabled) return;
    r->enabled = enabled;
    if (!enabled) {
        if (focus_ && IsSelfOrAncestor(h, focus_)) {
            // The top-level window keeps its memory of the focus for later.
            WindowRec* t = Find(*impl_, GetTopLevel(h));
            const Hwnd keep = t ? t->last_focus : 0;
            SetFocus(0);
            if (t && !r->parent) t->last_focus = keep;
        }
        if (capture_ && IsSelfOrAncestor(h, capture_)) ReleaseCapture();
    }
    impl_->check_hover = true;
    SendMessage(h, WM_ENABLE, enabled ? 1 : 0, 0);
}

bool Desktop::IsEnabled(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r && r->enabled;
}

bool Desktop::IsEnabledForInput(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    if (!r) return false;
    for (; r; r = Find(*impl_, r->parent))
        if (!r->enabled) return false;
    return true;
}

void Desktop::SetWindowRgn(Hwnd h, std::optional<gfx::Region> region) {
    WindowRec* r = Find(*impl_, h);
    if (!r) return;
    if (r->parent && IsShownOnScreen(h)) InvalidateRect(r->parent, r->rect);
    r->region = std::move(region);
    InvalidateRect(h);
    impl_->check_hover = true;
}

std::optional<gfx::Region> Desktop::GetWindowRgn(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? r->region : std::nullopt;
}

void Desktop::SetTransparent(Hwnd h, bool transparent) {
    WindowRec* r = Find(*impl_, h);
    if (!r || r->transparent == transparent) return;
    r->transparent = transparent;
    if (r->parent) InvalidateRect(r->parent, r->rect);
    InvalidateRect(h);
}

bool Desktop::IsTransparent(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r && r->transparent;
}

void Desktop::SetBackground(Hwnd h, std::uint32_t color) {
    WindowRec* r = Find(*impl_, h);
    if (!r || r->background == color) return;
    r->background = color;
    r->picture_ready = false;
    InvalidateRect(h);
}

std::uint32_t Desktop::GetBackground(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? r->background : 0;
}

void Desktop::SetWindowCursor(Hwnd h, const Cursor& cursor) {
    WindowRec* r = Find(*impl_, h);
    if (!r) return;
    r->cursor = cursor;
    if (impl_->hover == h && capture_ == 0) SetCursor(cursor);
}

void Desktop::SetWindowText(Hwnd h, const std::string& utf8) {
    WindowRec* r = Find(*impl_, h);
    if (!r) return;
    r->text = utf8;
    if (!r->parent) backend_->SetNativeTitle(r->native, utf8);
}

std::string Desktop::GetWindowText(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? r->text : std::string{};
}

// ============================================================================
// Procedures and messages
// ============================================================================

WindowProc Desktop::SetWindowProc(Hwnd h, WindowProc proc) {
    WindowRec* r = Find(*impl_, h);
    if (!r) return {};
    // A call of the old procedure in progress keeps its own reference.
    WindowProc old = *r->proc;
    r->proc = std::make_shared<WindowProc>(std::move(proc));
    return old;
}

WindowProc Desktop::GetWindowProc(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r ? *r->proc : WindowProc{};
}

LResult Desktop::CallWindowProc(const WindowProc& proc, Hwnd h, Message msg, WParam w, LParam l) {
    return proc ? proc(h, msg, w, l) : 0;
}

LResult Desktop::SendMessage(Hwnd h, Message msg, WParam w, LParam l) {
    WindowRec* r = Find(*impl_, h);
    if (!r) return 0;
    const std::shared_ptr<WindowProc> proc = r->proc;
    return *proc ? (*proc)(h, msg, w, l) : DefWindowProc(h, msg, w, l);
}

bool Desktop::PostMessage(Hwnd h, Message msg, WParam w, LParam l) {
    if (!IsWindow(h)) return false;
    impl_->queue.push_back(Msg{h, msg, w, l, backend_->NowMs(), impl_->pointer});
    return true;
}

LResult Desktop::DefWindowProc(Hwnd h, Message msg, WParam w, LParam l) {
    WindowRec* r = Find(*impl_, h);
    if (!r) return 0;
    switch (msg) {
        case WM_CLOSE:
            DestroyWindow(h);
            return 0;
        case WM_SYSCOMMAND:
            switch (w & 0xFFF0) {
                case SC_CLOSE: SendMessage(GetTopLevel(h), WM_CLOSE, 0, 0); return 0;
                case SC_MINIMIZE: MinimizeWindow(GetTopLevel(h)); return 0;
                case SC_RESTORE: RestoreWindow(GetTopLevel(h)); return 0;
                default: return 0;
            }
        case WM_SYSKEYDOWN:
            if (w == VK_F4 && (shift_ & kAltMask)) {
                SendMessage(GetTopLevel(h), WM_SYSCOMMAND, SC_CLOSE, 0);
                return 0;
            }
            return 0;
        case WM_SETCURSOR:
            if (r->parent && SendMessage(r->parent, WM_SETCURSOR, w, l)) return 1;
            if (static_cast<Hwnd>(w) == h) {
                SetCursor(r->cursor);
                return 1;
            }
            return 0;
        case WM_NCHITTEST: return HTCLIENT;
        case WM_NCLBUTTONDOWN:
            if (static_cast<LResult>(w) == HTCAPTION) {
                DesktopImpl& im = *impl_;
                const Hwnd top = GetTopLevel(h);
                ReleaseCapture();
                if (backend_->BeginNativeMove(Find(im, top)->native)) {
                    // The desktop owns the drag now, and the release with it.
                    buttons_ &= static_cast<MouseButtons>(~kLeftButton);
                    return 0;
                }
                im.moving = true;
                im.move_top = top;
                im.move_offset = {im.pointer.x - GetWindowRect(top).x, im.pointer.y - GetWindowRect(top).y};
                backend_->CaptureNative(Find(im, top)->native);
                SendMessage(top, WM_ENTERSIZEMOVE, 0, 0);
            }
            return 0;
        case WM_MOUSEWHEEL:
            return r->parent ? SendMessage(r->parent, msg, w, l) : 0;
        case WM_SETREDRAW: SetRedraw(h, w != 0); return 0;
        case WM_SETTEXT:
            if (l) SetWindowText(h, reinterpret_cast<const char*>(l));
            return 1;
        default: return 0;
    }
}

// ============================================================================
// Mouse
// ============================================================================

namespace {

// The deepest window under `p` (in r's pixels) that takes input, r itself when
// none of its children does.
Hwnd DeepHit(const DesktopImpl& im, const WindowRec* r, gfx::Point p) {
    for (auto it = r->children.rbegin(); it != r->children.rend(); ++it) {
        const WindowRec* c = Find(im, *it);
        if (!c || !c->visible || !c->enabled || !c->rect.contains(p)) continue;
        const gfx::Point q{p.x - c->rect.x, p.y - c->rect.y};
        if (c->region && !c->region->contains(q)) continue;
        return DeepHit(im, c, q);
    }
    return r->hwnd;
}

}  // namespace

Hwnd Desktop::ChildWindowFromPoint(Hwnd parent, gfx::Point client) const {
    const WindowRec* r = Find(*impl_, parent);
    if (!r || !gfx::Rect{0, 0, r->rect.width, r->rect.height}.contains(client)) return 0;
    if (r->region && !r->region->contains(client)) return 0;
    return DeepHit(*impl_, r, client);
}


Hwnd Desktop::WindowFromPoint(gfx::Point screen) const {
    const Hwnd top = TopAt(*impl_, screen);
    if (!top || !IsEnabled(top)) return 0;
    const gfx::Rect tr = GetWindowRect(top);
    return ChildWindowFromPoint(top, {screen.x - tr.x, screen.y - tr.y});
}

gfx::Point Desktop::ClientToScreen(Hwnd h, gfx::Point p) const {
    for (const WindowRec* r = Find(*impl_, h); r; r = Find(*impl_, r->parent)) p = p.translated(r->rect.x, r->rect.y);
    return p;
}

gfx::Point Desktop::ScreenToClient(Hwnd h, gfx::Point p) const {
    const gfx::Point o = ClientToScreen(h, {0, 0});
    return {p.x - o.x, p.y - o.y};
}

// Asked of the backend: the last mouse event is stale once the pointer has left our windows.
gfx::Point Desktop::GetCursorPos() { return backend_->PointerPosition(); }

void Desktop::SetCursorPos(gfx::Point screen) { backend_->WarpPointer(screen); }

Hwnd Desktop::SetCapture(Hwnd h) {
    const Hwnd old = capture_;
    if (!IsWindow(h) || old == h) return old;
    capture_ = h;
    backend_->CaptureNative(Find(*impl_, GetTopLevel(h))->native);
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LParam>(h));
    return old;
}

void Desktop::ReleaseCapture() {
    const Hwnd old = capture_;
    if (!old) return;
    capture_ = 0;
    backend_->CaptureNative(0);
    impl_->check_hover = true;
    SendMessage(old, WM_CAPTURECHANGED, 0, 0);
}

bool Desktop::TrackMouseLeave(Hwnd h) {
    WindowRec* r = Find(*impl_, h);
    if (!r) return false;
    if (std::find(impl_->tracking.begin(), impl_->tracking.end(), h) == impl_->tracking.end())
        impl_->tracking.push_back(h);
    // Asked while the pointer is already elsewhere: the leave is due at once.
    impl_->check_hover = true;
    return true;
}

void Desktop::SetCursor(const Cursor& cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    backend_->SetPointerShape(cursor);
}

int Desktop::GetDoubleClickTime() { return backend_->DoubleClickMs(); }

// ============================================================================
// Keyboard
// ============================================================================

Hwnd Desktop::SetFocus(Hwnd h) {
    DesktopImpl& im = *impl_;
    const Hwnd old = focus_;
    if (h == 0) {
        focus_ = 0;
        if (old) SendMessage(old, WM_KILLFOCUS, 0, 0);
        return old;
    }
    if (!IsWindow(h) || !IsShownOnScreen(h) || !IsEnabledForInput(h)) return 0;
    if (h == old) return old;
    const Hwnd top = GetTopLevel(h);
    Find(im, top)->last_focus = h;
    if (active_ != top) {
        // Activation gives the focus back to what the window remembers: h.
        SetActiveWindow(top);
        return old;
    }
    focus_ = h;
    if (old) SendMessage(old, WM_KILLFOCUS, static_cast<WParam>(h), 0);
    if (focus_ == h) SendMessage(h, WM_SETFOCUS, static_cast<WParam>(old), 0);
    return old;
}

void Desktop::SetPreTranslateHook(Hwnd top, PreTranslateHook hook) {
    if (WindowRec* r = Find(*impl_, top); r && !r->parent) r->hook = std::move(hook);
}

void Desktop::SetTextInput(Hwnd h, bool on, gfx::Rect caret) {
    const gfx::Point o = ClientToScreen(h, {0, 0});
    backend_->SetTextInput(on, caret.translated(o));
}

std::string Desktop::GetClipboardText() { return backend_->ClipboardText(); }
void Desktop::SetClipboardText(const std::string& utf8) { backend_->SetClipboardText(utf8); }

// ============================================================================
// Timers
// ============================================================================

bool Desktop::SetTimer(Hwnd h, std::uintptr_t id, int interval_ms) {
    if (!IsWindow(h)) return false;
    const int interval = std::max(interval_ms, 1);
    const std::int64_t due = backend_->NowMs() + interval;
    for (TimerRec& t : impl_->timers)
        if (t.hwnd == h && t.id == id && !t.object) {
            t.interval = interval;
            t.due = due;
            return true;
        }
    impl_->timers.push_back(TimerRec{h, id, interval, due, nullptr});
    return true;
}

bool Desktop::KillTimer(Hwnd h, std::uintptr_t id) {
    return std::erase_if(impl_->timers, [&](const TimerRec& t) { return t.hwnd == h && t.id == id && !t.object; }) > 0;
}

// ============================================================================
// Painting and composition
// ============================================================================

namespace {

void AddDirty(std::vector<gfx::Rect>& dirty, gfx::Rect r) {
    if (r.is_empty()) return;
    // Merge with what it overlaps until nothing overlaps any more.
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = dirty.begin(); it != dirty.end(); ++it) {
            if (it->contains(r)) return;
            if (it->intersects(r)) {
                r = r.united(*it);
                dirty.erase(it);
                merged = true;
                break;
            }
        }
    }
    dirty.push_back(r);
    if (dirty.size() > kMaxDirtyRects) {
        gfx::Rect all;
        for (const gfx::Rect& d : dirty) all = all.united(d);
        dirty.assign(1, all);
    }
}

}  // namespace

void Desktop::InvalidateRect(Hwnd h, std::optional<gfx::Rect> rect) {
    DesktopImpl& im = *impl_;
    WindowRec* r = Find(im, h);
    if (!r) return;
    gfx::Rect area = rect ? rect->intersected({0, 0, r->rect.width, r->rect.height})
                          : gfx::Rect{0, 0, r->rect.width, r->rect.height};
    // Walk up to the top-level window, clipping by each ancestor.
    for (WindowRec* w = r; w->parent; w = Find(im, w->parent)) {
        if (!w->visible) return;
        area = area.translated(w->rect.x, w->rect.y);
        WindowRec* p = Find(im, w->parent);
        area = area.intersected({0, 0, p->rect.width, p->rect.height});
        if (area.is_empty()) return;
    }
    WindowRec* top = Find(im, GetTopLevel(h));
    AddDirty(top->dirty, area.intersected(top->composed.rect()));
}

namespace {

// The window's on-screen shape in top-level pixels (rectangle, ancestors and regions).
gfx::Region VisibleShape(const DesktopImpl& im, const WindowRec* r) {
    gfx::Point origin;
    for (const WindowRec* w = r; w->parent; w = Find(im, w->parent)) origin = origin.translated(w->rect.x, w->rect.y);
    gfx::Region shape(gfx::Rect{origin.x, origin.y, r->rect.width, r->rect.height});
    if (r->region) shape = shape.intersected(r->region->translated(origin.x, origin.y));
    gfx::Point o = origin;
    for (const WindowRec* w = r; w->parent;) {
        o = o.translated(-w->rect.x, -w->rect.y);
        w = Find(im, w->parent);
        shape = shape.intersected(gfx::Rect{o.x, o.y, w->rect.width, w->rect.height});
        if (w->region) shape = shape.intersected(w->region->translated(o.x, o.y));
    }
    return shape;
}

}  // namespace

void Desktop::SetRedraw(Hwnd h, bool redraw) {
    DesktopImpl& im = *impl_;
    WindowRec* r = Find(im, h);
    if (!r || r->redraw == redraw) return;
    const Hwnd top = GetTopLevel(h);
    if (!redraw) {
        // Bring the picture up to date, then keep what the window shows now.
        ComposedPicture(top);
        r = Find(im, h);
        const gfx::Rect area = VisibleShape(im, r).bounds();
        r->frozen_area = area;
        r->frozen = gfx::Surface(area.width, area.height);
        r->frozen.copy_from(Find(im, top)->composed, area, {0, 0});
        r->redraw = false;
    } else {
        r->redraw = true;
        r->frozen = gfx::Surface();
        InvalidateRect(h);
    }
}

bool Desktop::IsRedrawOn(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r && r->redraw;
}

void Desktop::SetPersistent(Hwnd h, bool persistent) {
    WindowRec* r = Find(*impl_, h);
    if (!r || r->persistent == persistent) return;
    r->persistent = persistent;
    r->picture = gfx::Surface();
    r->picture_ready = false;
    InvalidateRect(h);
}

bool Desktop::IsPersistent(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r && r->persistent;
}

namespace {

void FillBackground(gfx::Canvas& canvas, const WindowRec& r) {
    canvas.fill_rect({0, 0, r.rect.width, r.rect.height}, gfx::resolve_color(r.background));
}

}  // namespace

// Makes sure a persistent window's kept picture exists and has been painted once.
static void PreparePicture(Desktop& d, WindowRec& r) {
    if (r.picture_ready && r.picture.size() == r.rect.size()) return;
    r.picture = gfx::Surface(r.rect.width, r.rect.height);
    r.picture_ready = true;
    gfx::Canvas canvas(r.picture);
    FillBackground(canvas, r);
    PaintRequest req{canvas, r.picture.rect()};
    d.SendMessage(r.hwnd, WM_PAINT, reinterpret_cast<WParam>(&req), 0);
}

void Desktop::DrawOnWindow(Hwnd h, const std::function<void(gfx::Canvas&)>& draw) {
    WindowRec* r = Find(*impl_, h);
    if (!r || !r->persistent) return;
    PreparePicture(*this, *r);
    r = Find(*impl_, h);
    if (!r) return;
    gfx::Canvas canvas(r->picture);
    draw(canvas);
    InvalidateRect(h);
}

const gfx::Surface* Desktop::PersistentPicture(Hwnd h) const {
    const WindowRec* r = Find(*impl_, h);
    return r && r->persistent && r->picture_ready ? &r->picture : nullptr;
}

namespace {

struct Composer {
    Desktop& desktop;
    DesktopImpl& im;
    gfx::Surface& target;

    // Paints window h and its children over `clip` (top-level pixels), `origin`
    // being h's top-left corner there.
    void paint(Hwnd h, gfx::Point origin, const gfx::Region& clip) {
        WindowRec* r = Find(im, h);
        if (!r || !r->visible) return;
        gfx::Region area = clip.intersected(gfx::Rect{origin.x, origin.y, r->rect.width, r->rect.height});
        if (r->region) area = area.intersected(r->region->translated(origin.x, origin.y));
        if (area.is_empty()) return;
        if (r->persistent) {
            PreparePicture(desktop, *r);
            r = Find(im, h);
            if (!r) return;
            gfx::Canvas canvas(target);
            canvas.clip_region(area);
            canvas.draw_bitmap(r->picture, origin);
        } else {
            // What opaque children cover is theirs to draw.
            gfx::Region own = area;
            for (Hwnd c : r->children) {
                const WindowRec* cr = Find(im, c);
                if (!cr || !cr->visible || cr->transparent) continue;
                const gfx::Point co = origin.translated(cr->rect.x, cr->rect.y);
                gfx::Region shape(gfx::Rect{co.x, co.y, cr->rect.width, cr->rect.height});
                if (cr->region) shape = shape.intersected(cr->region->translated(co.x, co.y));
                own = own.subtracted(shape);
                if (own.is_empty()) break;
            }
            if (!own.is_empty()) paint_own(r, origin, own);
            r = Find(im, h);
            if (!r) return;
        }
        const std::vector<Hwnd> kids = r->children;
        for (Hwnd c : kids) {
            const WindowRec* cr = Find(im, c);
            if (!cr) continue;
            paint(c, origin.translated(cr->rect.x, cr->rect.y), area);
        }
    }

    // Fills and paints one window (not its children) within `area`.
    void paint_own(WindowRec* r, gfx::Point origin, const gfx::Region& area) {
        const Hwnd h = r->hwnd;
        {
            gfx::Canvas canvas(target);
            canvas.clip_region(area);
            canvas.translate(origin.x, origin.y);
            if (!r->transparent) FillBackground(canvas, *r);
            const gfx::Rect b = area.bounds();
            PaintRequest req{canvas, b.translated(-origin.x, -origin.y)};
            desktop.SendMessage(h, WM_PAINT, reinterpret_cast<WParam>(&req), 0);
        }
    }

    // Puts frozen windows' kept pictures back over what was just recomposed.
    void restore_frozen(Hwnd h, const gfx::Rect& changed) {
        const WindowRec* r = Find(im, h);
        if (!r) return;
        if (!r->redraw && !r->frozen.is_empty()) {
            const gfx::Rect part = r->frozen_area.intersected(changed);
            if (!part.is_empty())
                target.copy_from(r->frozen, part.translated(-r->frozen_area.x, -r->frozen_area.y), part.location());
        }
        for (Hwnd c : r->children) restore_frozen(c, changed);
    }
};

}  // namespace

// Recomposes what is dirty in one top-level window and presents it.
void ComposeTop(Desktop& d, DesktopImpl& im, Backend& backend, Hwnd top, bool present) {
    WindowRec* t = Find(im, top);
    if (!t || t->dirty.empty()) return;
    if (t->composed.size() != t->rect.size()) t->composed = gfx::Surface(t->rect.width, t->rect.height);
    std::vector<gfx::Rect> dirty;
    dirty.swap(t->dirty);
    gfx::Rect changed;
    gfx::Region clip;
    for (const gfx::Rect& r : dirty) {
        clip = clip.united(r);
        changed = changed.united(r);
    }
    Composer c{d, im, t->composed};
    c.paint(top, {0, 0}, clip);
    c.restore_frozen(top, changed);
    t = Find(im, top);
    if (t && present && t->visible && !t->minimized) backend.Present(t->native, t->composed, changed);
}

void Desktop::UpdateWindow(Hwnd h) { ComposeTop(*this, *impl_, *backend_, GetTopLevel(h), true); }

const gfx::Surface& Desktop::ComposedPicture(Hwnd top) {
    static const gfx::Surface empty;
    WindowRec* t = Find(*impl_, top);
    if (!t || t->parent) return empty;
    ComposeTop(*this, *impl_, *backend_, top, true);
    t = Find(*impl_, top);
    return t ? t->composed : empty;
}

// ============================================================================
// Top-level windows
// ============================================================================

void Desktop::SetWindowIcon(Hwnd top, const gfx::Surface& icon) {
    if (WindowRec* r = Find(*impl_, top); r && !r->parent) backend_->SetNativeIcon(r->native, icon);
}

void Desktop::CenterWindow(Hwnd top, bool on_screen) {
    WindowRec* r = Find(*impl_, top);
    if (!r || r->parent) return;
    gfx::Rect around = backend_->WorkArea();
    if (!on_screen)
        if (const WindowRec* o = Find(*impl_, r->owner); o && o->visible && !o->minimized) around = o->rect;
    gfx::Rect place{around.x + (around.width - r->rect.width) / 2, around.y + (around.height - r->rect.height) / 2,
                    r->rect.width, r->rect.height};
    // Keep the window's top-left corner on the work area.
    const gfx::Rect work = backend_->WorkArea();
    place.x = std::max(work.x, std::min(place.x, work.right() - place.width));
    place.y = std::max(work.y, std::min(place.y, work.bottom() - place.height));
    SetWindowRect(top, place);
}

void Desktop::MinimizeWindow(Hwnd top) {
    WindowRec* r = Find(*impl_, top);
    if (!r || r->parent || r->minimized) return;
    r->minimized = true;
    backend_->MinimizeNative(r->native);
    if (focus_ && GetTopLevel(focus_) == top) {
        const Hwnd keep = r->last_focus;
        SetFocus(0);
        if ((r = Find(*impl_, top))) r->last_focus = keep;
    }
    impl_->check_hover = true;
    SendMessage(top, WM_SIZE, SIZE_MINIMIZED, 0);
}

void Desktop::RestoreWindow(Hwnd top) {
    WindowRec* r = Find(*impl_, top);
    if (!r || r->parent || !r->minimized) return;
    r->minimized = false;
    backend_->RestoreNative(r->native);
    InvalidateRect(top);
    impl_->check_hover = true;
    SendMessage(top, WM_SIZE, SIZE_RESTORED, MakeLParam(r->rect.width, r->rect.height));
    if (IsWindow(top)) SetActiveWindow(top);
}

bool Desktop::IsMinimized(Hwnd top) const {
    const WindowRec* r = Find(*impl_, top);
    return r && r->minimized;
}

void Desktop::SetTopmost(Hwnd top, bool topmost) {
    WindowRec* r = Find(*impl_, top);
    if (!r || r->parent || r->topmost == topmost) return;
    r->topmost = topmost;
    backend_->SetNativeTopmost(r->native, topmost);
    impl_->check_hover = true;
}

bool Desktop::IsTopmost(Hwnd top) const {
    const WindowRec* r = Find(*impl_, top);
    return r && r->topmost;
}

void Desktop::SetActiveWindow(Hwnd top) { Activate(top, true); }

void Desktop::Activate(Hwnd top, bool raise) {
    DesktopImpl& im = *impl_;
    WindowRec* r = Find(im, top);
    if (!r || r->parent || !r->visible || !r->enabled) return;
    if (active_ == top) return;
    const Hwnd old = active_;
    active_ = top;
    if (old && IsWindow(old)) {
        if (focus_ && GetTopLevel(focus_) == old) {
            const Hwnd f = focus_;
            focus_ = 0;
            SendMessage(f, WM_KILLFOCUS, 0, 0);
        }
        SendMessage(old, WM_NCACTIVATE, 0, 0);
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, static_cast<LParam>(top));
    }
    if (active_ != top || !IsWindow(top)) return;
    std::erase(im.tops, top);
    im.tops.push_back(top);
    // The desktop has already raised a window it activated; raising it again
    // would make it report yet another activation.
    if (raise) backend_->RaiseNative(Find(im, top)->native);
    SendMessage(top, WM_NCACTIVATE, 1, 0);
    SendMessage(top, WM_ACTIVATE, im.click_activate ? WA_CLICKACTIVE : WA_ACTIVE,
                static_cast<LParam>(old));
    r = Find(im, top);
    if (r && active_ == top && focus_ == 0) {
        const Hwnd f = r->last_focus;
        if (f && IsShownOnScreen(f) && IsEnabledForInput(f)) SetFocus(f);
    }
}

gfx::Rect Desktop::GetWorkArea() { return backend_->WorkArea(); }
gfx::Rect Desktop::GetScreenRect() { return backend_->ScreenBounds(); }
int Desktop::GetScale() { return backend_->Scale(); }

NativeId Desktop::GetNativeId(Hwnd top) const {
    const WindowRec* r = Find(*impl_, top);
    return r ? r->native : 0;
}

int Desktop::GetSystemMetrics(int metric) {
    const gfx::Rect s = backend_->ScreenBounds();
    switch (metric) {
        case SM_CXSCREEN: return s.width;
        case SM_CYSCREEN: return s.height;
        case SM_CXVSCROLL: return 17;
        case SM_CYCAPTION: return 19;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK: return kDoubleClickSlop;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        default: return 0;
    }
}

std::int64_t Desktop::Now() { return backend_->NowMs(); }

}  // namespace kes::ui
