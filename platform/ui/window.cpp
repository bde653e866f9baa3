#include "platform/ui/window.h"

#include "platform/ui/desktop.h"
#include "platform/ui/desktop_impl.h"

namespace kes::ui {

Window::Window(Desktop& desktop, const WindowDesc& desc) : desktop_(desktop) {
    // Messages sent while the window is being made already name it.
    hwnd_ = desktop_.CreateWindow(desc, [this](Hwnd h, Message m, WParam w, LParam l) {
        if (hwnd_ == 0 && !destroyed_) hwnd_ = h;
        return HandleMessage(m, w, l);
    });
    if (WindowRec* r = Find(*desktop_.impl_, hwnd_)) r->object = this;
}

Window::~Window() {
    if (hwnd_) desktop_.DestroyWindow(hwnd_);
}

gfx::Rect Window::Bounds() const { return desktop_.GetWindowRect(hwnd_); }
gfx::Size Window::ClientSize() const { return desktop_.GetWindowRect(hwnd_).size(); }
void Window::SetBounds(gfx::Rect r) { desktop_.SetWindowRect(hwnd_, r); }
void Window::Show(bool visible) { desktop_.ShowWindow(hwnd_, visible); }
bool Window::IsVisible() const { return desktop_.IsVisible(hwnd_); }
void Window::Enable(bool enabled) { desktop_.EnableWindow(hwnd_, enabled); }
bool Window::IsEnabled() const { return desktop_.IsEnabled(hwnd_); }
void Window::Invalidate() { desktop_.InvalidateRect(hwnd_); }
void Window::Invalidate(gfx::Rect r) { desktop_.InvalidateRect(hwnd_, r); }
void Window::Update() { desktop_.UpdateWindow(hwnd_); }
void Window::Focus() { desktop_.SetFocus(hwnd_); }
bool Window::HasFocus() const { return hwnd_ && desktop_.GetFocus() == hwnd_; }

void Window::OnPaint(gfx::Canvas&, gfx::Rect) {}

namespace {

MouseButtons ButtonsFromKeys(WParam w) {
    MouseButtons b = 0;
    if (w & MK_LBUTTON) b |= kLeftButton;
    if (w & MK_RBUTTON) b |= kRightButton;
    if (w & MK_MBUTTON) b |= kMiddleButton;
    return b;
}

}  // namespace

LResult Window::HandleMessage(Message msg, WParam w, LParam l) {
    const Hwnd self = hwnd_;
    // A handler may free this object (a form unloaded from its own event); what follows it
    // uses only these copies.
    Desktop& desktop = desktop_;
    auto mouse = [&](MouseButtons button) {
        MouseEvent e;
        e.pos = {XFromLParam(l), YFromLParam(l)};
        e.button = button;
        e.buttons = ButtonsFromKeys(w);
        e.shift = desktop_.GetShiftState();
        return e;
    };
    switch (msg) {
        case WM_PAINT: {
            auto* req = reinterpret_cast<PaintRequest*>(w);
            if (req) OnPaint(req->canvas, req->dirty);
            return 0;
        }
        case WM_MOUSEMOVE: OnMouseMove(mouse(0)); return 0;
        case WM_LBUTTONDOWN: OnMouseDown(mouse(kLeftButton)); return 0;
        case WM_RBUTTONDOWN: OnMouseDown(mouse(kRightButton)); return 0;
        case WM_MBUTTONDOWN: OnMouseDown(mouse(kMiddleButton)); return 0;
        case WM_LBUTTONUP: OnMouseUp(mouse(kLeftButton)); return 0;
        case WM_RBUTTONUP: OnMouseUp(mouse(kRightButton)); return 0;
        case WM_MBUTTONUP: OnMouseUp(mouse(kMiddleButton)); return 0;
        case WM_LBUTTONDBLCLK: OnDoubleClick(mouse(kLeftButton)); return 0;
        case WM_RBUTTONDBLCLK: OnDoubleClick(mouse(kRightButton)); return 0;
        case WM_MBUTTONDBLCLK: OnDoubleClick(mouse(kMiddleButton)); return 0;
        case WM_MOUSEWHEEL: {
            MouseEvent e = mouse(0);
            e.buttons = ButtonsFromKeys(LoWord(w));
            e.pos = desktop_.ScreenToClient(self, {XFromLParam(l), YFromLParam(l)});
            e.wheel_delta = WheelDeltaFromWParam(w);
            if (OnMouseWheel(e)) return 0;
            break;
        }
        case WM_MOUSELEAVE: OnMouseLeave(); return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (OnKeyDown(KeyEvent{static_cast<KeyCode>(w), desktop_.GetShiftState(), (l & (1 << 30)) != 0})) return 0;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (OnKeyUp(KeyEvent{static_cast<KeyCode>(w), desktop_.GetShiftState(), false})) return 0;
            break;
        case WM_CHAR: OnChar(static_cast<char32_t>(w), desktop_.GetShiftState()); return 0;
        case WM_SETFOCUS: OnFocusIn(); return 0;
        case WM_KILLFOCUS: OnFocusOut(); return 0;
        case WM_TIMER: OnTimer(w); return 0;
        case WM_MOVE: OnMove(); return 0;
        case WM_SIZE: OnResize(); return 0;
        case WM_CLOSE:
            if (!OnClose()) return 0;
            break;
        case WM_DESTROY: OnDestroy(); return 0;
        default: break;
    }
    return desktop.DefWindowProc(self, msg, w, l);
}

}  // namespace kes::ui
