// What a window backend gives the Desktop: native top-level windows, input
// events, a clock, presentation of composed pictures and a few desktop
// services. Two backends exist: SdlBackend (real windows) and HeadlessBackend
// (tests, picture output). Everything above this interface is shared, so both
// draw the same pixels.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/ui/cursor.h"
#include "platform/ui/keys.h"

namespace kes::ui {

/// A backend's name for one native top-level window; 0 names none.
using NativeId = std::uint32_t;

/// Kinds of input and window events a backend reports.
enum class EventKind {
    None,
    MouseMove,     // screen_pos, buttons
    MouseDown,     // screen_pos, button
    MouseUp,       // screen_pos, button
    MouseWheel,    // screen_pos, wheel_delta (WHEEL_DELTA a notch, positive away from the user)
    PointerLeft,   // the pointer left the native window `window`
    KeyDown,       // key, shift, repeat
    KeyUp,         // key, shift
    TextInput,     // text: UTF-8 from the keyboard or the input method
    CloseRequest,  // the desktop asks to close `window` (its close button, the window menu)
    Activated,     // `window` became the desktop's active window
    Deactivated,   // `window` stopped being the active window
    Moved,         // `window` was moved by the desktop to screen_pos
    Resized,       // `window` was resized by the desktop to size
    Minimized,
    Restored,
    Exposed,       // `window` must be presented again in full
};

/// One event from the backend. Positions are screen pixels before the
/// density scale (the pixels the program works in).
struct BackendEvent {
    EventKind kind = EventKind::None;
    NativeId window = 0;
    gfx::Point screen_pos;
    gfx::Size size;
    MouseButtons button = 0;   // MouseDown / MouseUp: the one button
    MouseButtons buttons = 0;  // buttons held after the event
    ShiftState shift = 0;
    KeyCode key = 0;
    bool repeat = false;
    int wheel_delta = 0;
    std::string text;
};

/// How a native window starts.
struct NativeWindowDesc {
    std::string title;
    gfx::Rect bounds;  // screen pixels of the client area
    bool visible = false;
    bool topmost = false;
    bool show_in_taskbar = true;
};

/// Result of waiting for an event.
enum class WaitResult {
    Event,    // an event was returned
    Timeout,  // the time ran out (the clock has reached the deadline)
    Stalled,  // nothing can ever arrive: a headless backend with nothing scripted
};

class Backend {
public:
    virtual ~Backend() = default;

    // ---- Time -------------------------------------------------------------
    /// Milliseconds on the backend's clock (real time, or the virtual clock).
    virtual std::int64_t NowMs() = 0;

    // ---- Events -----------------------------------------------------------
    /// Takes the next waiting event without blocking; false when none waits.
    virtual bool PollEvent(BackendEvent& out) = 0;
    /// Sleeps until an event arrives or `timeout_ms` pass (negative: no limit).
    virtual WaitResult WaitEvent(BackendEvent& out, std::int64_t timeout_ms) = 0;
    /// Makes the next WaitEvent return at once (called on the loop's own thread).
    virtual void Wake() = 0;

    // ---- Native windows ---------------------------------------------------
    virtual NativeId CreateNativeWindow(const NativeWindowDesc& desc) = 0;
    virtual void DestroyNativeWindow(NativeId id) = 0;
    virtual void SetNativeTitle(NativeId id, const std::string& utf8) = 0;
    virtual void SetNativeIcon(NativeId id, const gfx::Surface& icon) = 0;
    /// Moves and sizes the client area, in screen pixels.
    virtual void SetNativeBounds(NativeId id, gfx::Rect bounds) = 0;
    virtual void ShowNative(NativeId id, bool visible) = 0;
    virtual void MinimizeNative(NativeId id) = 0;
    virtual void RestoreNative(NativeId id) = 0;
    /// Brings the window to the front and gives it the keyboard.
    virtual void RaiseNative(NativeId id) = 0;
    virtual void SetNativeTopmost(NativeId id, bool topmost) = 0;
    /// Keeps `id` above `owner` and tells the desktop it belongs to it (a dialog).
    virtual void SetNativeOwner(NativeId, NativeId /*owner*/) {}
    /// Whether a title-bar press at this client point should move the window:
    /// asked by backends whose desktop moves windows itself. Set by the Desktop.
    using CaptionTest = bool (*)(void* context, NativeId id, gfx::Point client);
    virtual void SetCaptionTest(CaptionTest test, void* context) = 0;
    /// Hands a title-bar drag in progress (left button held) to the desktop,
    /// which moves the window with the pointer itself. False when it cannot;
    /// the Desktop then moves the window on its own.
    virtual bool BeginNativeMove(NativeId) { return false; }
    /// Shows `picture` (the window's whole composed client area). Only the
    /// pixels inside `changed` differ from the last presentation.
    virtual void Present(NativeId id, const gfx::Surface& picture, gfx::Rect changed) = 0;

    // ---- Pointer ----------------------------------------------------------
    virtual gfx::Point PointerPosition() = 0;
    virtual void WarpPointer(gfx::Point screen) = 0;
    virtual void SetPointerShape(const Cursor& cursor) = 0;
    /// Keeps pointer events coming to `id` while a button is held outside it (0: stop).
    virtual void CaptureNative(NativeId id) = 0;

    // ---- Keyboard and text ------------------------------------------------
    /// Starts or stops text from the input method, with the caret rectangle
    /// (screen pixels) where its candidate window belongs.
    virtual void SetTextInput(bool on, gfx::Rect caret) = 0;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& utf8) = 0;

    // ---- Desktop ----------------------------------------------------------
    /// The whole screen, in the program's pixels.
    virtual gfx::Rect ScreenBounds() = 0;
    /// The screen less task bars and docks.
    virtual gfx::Rect WorkArea() = 0;
    virtual int DoubleClickMs() = 0;
    /// The integer factor pictures are enlarged by when presented.
    virtual int Scale() = 0;
};

}  // namespace kes::ui
