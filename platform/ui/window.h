// Windows: what one window is made of (WindowDesc), its replaceable window
// procedure (WindowProc), and Window, the base class a control derives from to
// get its messages as virtual handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/gfx/geometry.h"
#include "platform/ui/cursor.h"
#include "platform/ui/keys.h"
#include "platform/ui/message.h"

namespace kes::gfx {
class Canvas;
}

namespace kes::ui {

class Desktop;

/// A window procedure. Replacing one (Desktop::SetWindowProc) hands back the
/// previous one, which the new one may call before or after its own work.
using WindowProc = std::function<LResult(Hwnd, Message, WParam, LParam)>;

/// A message as the queue and the pre-translate hooks see it.
struct Msg {
    Hwnd hwnd = 0;
    Message message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    std::int64_t time = 0;  // the backend clock when it was queued
    gfx::Point pt;          // pointer position (screen) when it was queued
};

/// What WM_PAINT's wParam points to: a canvas whose origin is the window's
/// top-left pixel, clipped to the part of the window that must be drawn.
struct PaintRequest {
    gfx::Canvas& canvas;
    /// The part to draw, in the window's own pixels.
    gfx::Rect dirty;
};

/// How a window starts.
struct WindowDesc {
    /// The window holding this one; 0 makes a top-level window.
    Hwnd parent = 0;
    /// For a top-level window: the window it belongs to (kept above it, disabled by a modal show).
    Hwnd owner = 0;
    /// In the parent's pixels; for a top-level window, the client area in screen pixels.
    gfx::Rect rect;
    std::string caption;
    bool visible = true;
    bool enabled = true;
    /// Draws over the parent's picture instead of filling its rectangle first (labels).
    bool transparent = false;
    /// Keeps its own picture: drawings made outside a paint request stay on screen.
    bool persistent = false;
    /// Fill colour (0x00BBGGRR or a system colour) painted before WM_PAINT; ignored when transparent.
    std::uint32_t background = 0x8000000F;
    /// Presses in quick succession arrive as WM_LBUTTONDBLCLK (and the right and middle ones).
    bool double_clicks = true;
    /// Shown while the pointer is over the window (the default WM_SETCURSOR handling).
    Cursor cursor;
    // Top-level windows only:
    bool topmost = false;
    bool show_in_taskbar = true;
};

/// Mouse input as the handlers of Window receive it.
struct MouseEvent {
    gfx::Point pos;             // client pixels
    MouseButtons button = 0;    // the button that went down or up (0 for moves)
    MouseButtons buttons = 0;   // every button held
    ShiftState shift = 0;
    int wheel_delta = 0;        // WM_MOUSEWHEEL only: WHEEL_DELTA per notch, negative toward the user
};

/// Key input as the handlers of Window receive it.
struct KeyEvent {
    KeyCode key = 0;
    ShiftState shift = 0;
    bool repeat = false;
};

/// A window with its messages decoded into virtual handlers. The object owns
/// its window: destroying the object destroys the window (and its children).
/// If the window is destroyed first (its parent went, or WM_CLOSE), the object
/// lives on with handle 0 and OnDestroy has been called. The Desktop must
/// outlive every Window object.
///
/// Messages reach HandleMessage through the window's procedure, so a hook that
/// replaces the procedure sees every message before the handlers do. WM_CREATE
/// (sent from the constructor) and WM_DESTROY (sent from the destructor) reach
/// only this base class; a derived class sets itself up in its constructor and
/// calls Desktop::DestroyWindow in its destructor if it needs OnDestroy.
class Window {
public:
    Window(Desktop& desktop, const WindowDesc& desc);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Hwnd hwnd() const { return hwnd_; }
    Desktop& desktop() const { return desktop_; }

    // Shorthands for the Desktop calls on this window.
    gfx::Rect Bounds() const;          // in the parent's pixels
    gfx::Size ClientSize() const;
    void SetBounds(gfx::Rect r);
    void Show(bool visible = true);
    void Hide() { Show(false); }
    bool IsVisible() const;
    void Enable(bool enabled = true);
    bool IsEnabled() const;
    void Invalidate();
    void Invalidate(gfx::Rect r);
    void Update();                     // paints what is invalid now
    void Focus();
    bool HasFocus() const;

    /// The window's own procedure: decodes the message into the handlers below,
    /// falls back to Desktop::DefWindowProc for what they leave.
    virtual LResult HandleMessage(Message msg, WParam wParam, LParam lParam);

protected:
    /// WM_PAINT: draw `dirty` (window pixels) on the canvas.
    virtual void OnPaint(gfx::Canvas& canvas, gfx::Rect dirty);
    virtual void OnMouseMove(const MouseEvent&) {}
    virtual void OnMouseDown(const MouseEvent&) {}
    virtual void OnMouseUp(const MouseEvent&) {}
    virtual void OnDoubleClick(const MouseEvent&) {}
    /// Return true when the wheel was used; false passes it on to the parent.
    virtual bool OnMouseWheel(const MouseEvent&) { return false; }
    virtual void OnMouseLeave() {}
    /// Return true when the key was used; false lets the default handling run
    /// (Alt+F4 and the like).
    virtual bool OnKeyDown(const KeyEvent&) { return false; }
    virtual bool OnKeyUp(const KeyEvent&) { return false; }
    /// A typed character (a Unicode code point, control characters included:
    /// 8 Backspace, 13 Enter, 27 Escape, 1-26 for Ctrl+letter).
    virtual void OnChar(char32_t, ShiftState) {}
    virtual void OnFocusIn() {}
    virtual void OnFocusOut() {}
    virtual void OnTimer(std::uintptr_t /*id*/) {}
    virtual void OnMove() {}
    virtual void OnResize() {}
    /// The user or code asks the window to close; return false to refuse.
    /// The default accepts, and the window is destroyed.
    virtual bool OnClose() { return true; }
    /// The window is being destroyed; the handle is still valid during the call.
    virtual void OnDestroy() {}

private:
    friend class Desktop;
    Desktop& desktop_;
    Hwnd hwnd_ = 0;
    bool destroyed_ = false;
};

}  // namespace kes::ui
