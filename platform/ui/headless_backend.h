// A backend without a screen: a virtual clock that only moves when told to,
// events that a test scripts, and the presented pictures kept for reading.
// Drawing and composition are the Desktop's, so the pictures equal what the
// SDL backend shows.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "platform/ui/backend.h"

namespace kes::ui {

class HeadlessBackend : public Backend {
public:
    /// A screen of the given size whose work area leaves `taskbar_height`
    /// pixels at the bottom, at scale 1, with a 500 ms double-click time.
    explicit HeadlessBackend(gfx::Size screen = {1024, 768}, int taskbar_height = 40);

    // ---- Scripting (for tests) ------------------------------------------
    /// Moves the virtual clock on; the next loop pass sees the timers due.
    void AdvanceClock(std::int64_t ms) { now_ += ms; }
    /// Queues an event as if the user had made it.
    void Push(BackendEvent event);
    /// Queues a pointer move to a screen point (buttons: those held).
    void MouseMoveTo(gfx::Point screen);
    void MouseDown(MouseButtons button);
    void MouseUp(MouseButtons button);
    /// Down and up at a screen point.
    void Click(gfx::Point screen, MouseButtons button = kLeftButton);
    /// One notch is WHEEL_DELTA; positive turns away from the user.
    void Wheel(int delta);
    /// A key press and release (shift: the modifiers held during it).
    void KeyPress(KeyCode key, ShiftState shift = 0);
    void KeyDown(KeyCode key, ShiftState shift = 0);
    void KeyUp(KeyCode key, ShiftState shift = 0);
    /// Text as the keyboard or the input method delivers it.
    void Type(const std::string& utf8);
    /// Asks to close the native window of a top-level window, as the desktop would.
    void RequestClose(NativeId id);
    /// Called when the loop would sleep with nothing queued and no timer
    /// running; it may queue events (return true) or give up (false).
    void SetIdleScript(std::function<bool()> script) { idle_ = std::move(script); }
    /// Plays a desktop that keeps a focused window of its own: from now on
    /// a raise of another shown window is answered, `latency_ms` later, by
    /// Deactivated for the one it had and Activated for the raised one, as
    /// an X11 window manager answers. Negative turns this off (the default).
    void SetDesktopFocus(std::int64_t latency_ms) { focus_latency_ = latency_ms; }
    /// The desktop gives its focus to a native window at once (the user
    /// clicked it or switched to it), with the same events.
    void FocusByDesktop(NativeId id);
    void SetDoubleClickMs(int ms) { double_click_ms_ = ms; }
    void SetScale(int scale) { scale_ = scale; }

    // ---- What a test reads -----------------------------------------------
    /// The last presented picture of a native window (empty when none yet).
    const gfx::Surface& Presented(NativeId id) const;
    /// How many times the program asked to raise it.
    int RaiseCount(NativeId id) const;
    /// The window the desktop has given its focus to (SetDesktopFocus); 0 for none.
    NativeId DesktopFocused() const { return desktop_focus_; }
    /// How many times Present was called for it.
    int PresentCount(NativeId id) const;
    /// The area of the last presentation.
    gfx::Rect LastPresentedArea(NativeId id) const;
    gfx::Rect NativeBounds(NativeId id) const;
    bool NativeVisible(NativeId id) const;
    bool NativeMinimized(NativeId id) const;
    bool NativeTopmost(NativeId id) const;
    std::string NativeTitle(NativeId id) const;
    const Cursor& PointerShape() const { return cursor_; }
    bool TextInputOn() const { return text_input_; }

    // ---- Backend ---------------------------------------------------------
    std::int64_t NowMs() override { return now_; }
    bool PollEvent(BackendEvent& out) override;
    WaitResult WaitEvent(BackendEvent& out, std::int64_t timeout_ms) override;
    void Wake() override { woken_ = true; }
    NativeId CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(NativeId id) override;
    void SetNativeTitle(NativeId id, const std::string& utf8) override;
    void SetNativeIcon(NativeId id, const gfx::Surface& icon) override;
    void SetNativeBounds(NativeId id, gfx::Rect bounds) override;
    void ShowNative(NativeId id, bool visible) override;
    void MinimizeNative(NativeId id) override;
    void RestoreNative(NativeId id) override;
    void RaiseNative(NativeId id) override;
    void SetNativeTopmost(NativeId id, bool topmost) override;
    void SetCaptionTest(CaptionTest, void*) override {}
    void Present(NativeId id, const gfx::Surface& picture, gfx::Rect changed) override;
    gfx::Point PointerPosition() override { return pointer_; }
    void WarpPointer(gfx::Point screen) override;
    void SetPointerShape(const Cursor& cursor) override { cursor_ = cursor; }
    void CaptureNative(NativeId) override {}
    void SetTextInput(bool on, gfx::Rect) override { text_input_ = on; }
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& utf8) override { clipboard_ = utf8; }
    gfx::Rect ScreenBounds() override { return {0, 0, screen_.width, screen_.height}; }
    gfx::Rect WorkArea() override { return {0, 0, screen_.width, screen_.height - taskbar_}; }
    int DoubleClickMs() override { return double_click_ms_; }
    int Scale() override { return scale_; }

private:
    struct Native {
        NativeWindowDesc desc;
        bool minimized = false;
        gfx::Surface picture;
        int presents = 0;
        int raises = 0;
        gfx::Rect last_area;
    };
    void PushButton(EventKind kind, MouseButtons button);
    void PushKey(EventKind kind, KeyCode key, ShiftState shift);
    // Moves the desktop's focus, reporting it at `due` on the clock.
    void MoveDesktopFocus(NativeId id, std::int64_t due);
    // Moves the desktop's answers that are due into the queue.
    void ReleaseDue();
    const Native* find(NativeId id) const;
    Native* find(NativeId id);

    std::int64_t now_ = 0;
    gfx::Size screen_;
    int taskbar_;
    int double_click_ms_ = 500;
    int scale_ = 1;
    std::deque<BackendEvent> queue_;
    struct Later {
        std::int64_t due;
        BackendEvent event;
    };
    std::deque<Later> later_;  // the desktop's answers, in the order they fall due
    std::int64_t focus_latency_ = -1;
    NativeId desktop_focus_ = 0;
    std::map<NativeId, Native> natives_;
    NativeId next_id_ = 1;
    gfx::Point pointer_;
    MouseButtons buttons_ = 0;
    ShiftState shift_ = 0;
    Cursor cursor_;
    bool text_input_ = false;
    bool woken_ = false;
    std::string clipboard_;
    std::function<bool()> idle_;
};

}  // namespace kes::ui
