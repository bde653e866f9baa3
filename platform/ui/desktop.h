// The window system of one process: every window, the message queue, input
// routing, timers, the event loop, painting and composition. One Desktop
// exists per process (Desktop::Current()); all of it runs on one thread.
//
// Geometry is in the program's pixels. A top-level window's rectangle is its
// client area in screen pixels; a child's is relative to its parent. The
// backend enlarges pictures by its integer scale when it presents them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/ui/backend.h"
#include "platform/ui/cursor.h"
#include "platform/ui/keys.h"
#include "platform/ui/message.h"
#include "platform/ui/window.h"

namespace kes::gfx {
class Canvas;
}

namespace kes::ui {

struct DesktopImpl;

/// Screen metrics for GetSystemMetrics, numbered as the classic desktop numbers them.
enum SystemMetric : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXICON = 11,
    SM_CYICON = 12,
    SM_CXCURSOR = 13,
    SM_CYCURSOR = 14,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
};

/// Where SetWindowPos puts a window in its parent's z-order.
enum class ZOrder { Top, Bottom };

/// Called with each input message (keys, characters, mouse) bound for a
/// window inside one top-level window, before it is dispatched. Return true to
/// swallow it. Forms use it for Tab, Shift+Tab and access keys.
using PreTranslateHook = std::function<bool(Msg&)>;

class Desktop {
public:
    explicit Desktop(std::unique_ptr<Backend> backend);
    /// Destroys every window that is still left.
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    /// The Desktop of this process; nullptr when none exists.
    static Desktop* Current();
    Backend& backend() { return *backend_; }

    // ======================================================================
    // Windows
    // ======================================================================

    /// Creates a window driven by `proc` (see Window for the object form).
    /// Sends WM_CREATE. Returns 0 when `desc.parent` is not a window.
    Hwnd CreateWindow(const WindowDesc& desc, WindowProc proc);
    /// Destroys the window and its children (WM_DESTROY to the window, then
    /// to its children), releases their capture, focus, timers and leave requests.
    void DestroyWindow(Hwnd hwnd);
    /// Whether the handle names a window that exists.
    bool IsWindow(Hwnd hwnd) const;
    /// The object of a window made through Window; nullptr otherwise.
    Window* WindowObject(Hwnd hwnd) const;

    Hwnd GetParent(Hwnd hwnd) const;
    /// Moves a child window into another parent (a window; a child cannot
    /// become top-level). Keeps its rectangle's numbers.
    bool SetParent(Hwnd hwnd, Hwnd new_parent);
    /// The top-level window holding `hwnd` (itself when it is one).
    Hwnd GetTopLevel(Hwnd hwnd) const;
    Hwnd GetOwner(Hwnd hwnd) const;
    /// Whether `ancestor` is `hwnd` or holds it.
    bool IsSelfOrAncestor(Hwnd ancestor, Hwnd hwnd) const;
    /// The children, bottom of the z-order first.
    std::vector<Hwnd> GetChildren(Hwnd hwnd) const;
    /// The top-level windows, in creation order.
    std::vector<Hwnd> GetTopLevelWindows() const;

    /// In the parent's pixels (screen pixels of the client area for a top-level window).
    gfx::Rect GetWindowRect(Hwnd hwnd) const;
    /// The window's own pixels: (0, 0, width, height).
    gfx::Rect GetClientRect(Hwnd hwnd) const;
    /// Moves and sizes; sends WM_MOVE and WM_SIZE for what changed and
    /// invalidates the old and new places.
    void SetWindowRect(Hwnd hwnd, gfx::Rect rect);
    /// Moves the window to the top or bottom of its siblings.
    void SetZOrder(Hwnd hwnd, ZOrder where);

    /// Shows or hides (WM_SHOWWINDOW). Hiding the focus window's ancestor moves
    /// the focus away; hiding a modal window ends its modal loop.
    void ShowWindow(Hwnd hwnd, bool visible);
    bool IsVisible(Hwnd hwnd) const;
    /// The window and every ancestor are visible.
    bool IsShownOnScreen(Hwnd hwnd) const;
    /// Enables or disables (WM_ENABLE). A disabled window takes no input; nor
    /// do its children.
    void EnableWindow(Hwnd hwnd, bool enabled);
    bool IsEnabled(Hwnd hwnd) const;
    /// The window and every ancestor are enabled.
    bool IsEnabledForInput(Hwnd hwnd) const;

    /// Shapes the window (window pixels): only the region is drawn and hit.
    /// nullopt gives back the full rectangle.
    void SetWindowRgn(Hwnd hwnd, std::optional<gfx::Region> region);
    std::optional<gfx::Region> GetWindowRgn(Hwnd hwnd) const;
    void SetTransparent(Hwnd hwnd, bool transparent);
    bool IsTransparent(Hwnd hwnd) const;
    void SetBackground(Hwnd hwnd, std::uint32_t color);
    std::uint32_t GetBackground(Hwnd hwnd) const;
    void SetWindowCursor(Hwnd hwnd, const Cursor& cursor);

    /// The caption (a top-level window's title).
    void SetWindowText(Hwnd hwnd, const std::string& utf8);
    std::string GetWindowText(Hwnd hwnd) const;

    // ======================================================================
    // Window procedures and messages
    // ======================================================================

    /// Installs `proc` as the window's procedure and returns the one it replaces.
    WindowProc SetWindowProc(Hwnd hwnd, WindowProc proc);
    WindowProc GetWindowProc(Hwnd hwnd) const;
    /// Calls a procedure (a replaced one, typically); 0 when `proc` is empty.
    static LResult CallWindowProc(const WindowProc& proc, Hwnd hwnd, Message msg, WParam wParam, LParam lParam);
    /// Delivers the message now through the window's procedure and returns its
    /// result; 0 for a window that does not exist. May be called from inside
    /// another message of the same window.
    LResult SendMessage(Hwnd hwnd, Message msg, WParam wParam = 0, LParam lParam = 0);
    /// Queues the message for the loop; false for a window that does not exist.
    bool PostMessage(Hwnd hwnd, Message msg, WParam wParam = 0, LParam lParam = 0);
    /// The default handling of every message: WM_CLOSE destroys, WM_SYSCOMMAND
    /// SC_CLOSE sends WM_CLOSE (SC_MINIMIZE and SC_RESTORE do what they say),
    /// Alt+F4 sends SC_CLOSE to the top-level window, WM_SETCURSOR shows the
    /// window's cursor (asking the parent first), WM_NCHITTEST answers
    /// HTCLIENT, WM_NCLBUTTONDOWN with HTCAPTION hands the drag to the desktop
    /// (or moves the top-level window with the pointer itself), WM_MOUSEWHEEL
    /// goes on to the parent, WM_SETREDRAW freezes or thaws, WM_SETTEXT sets
    /// the caption, WM_PAINT draws nothing.
    LResult DefWindowProc(Hwnd hwnd, Message msg, WParam wParam, LParam lParam);
    /// The message being dispatched from the queue (or the last one).
    const Msg& CurrentMessage() const { return current_; }

    // ======================================================================
    // Mouse
    // ======================================================================

    /// The deepest window under a screen point that is visible, enabled (with
    /// its ancestors) and whose region holds the point; 0 for none.
    Hwnd WindowFromPoint(gfx::Point screen) const;
    /// The same search from `parent` down, with the point in its pixels;
    /// `parent` itself when no child holds it, 0 when it does not either.
    Hwnd ChildWindowFromPoint(Hwnd parent, gfx::Point client) const;
    gfx::Point ScreenToClient(Hwnd hwnd, gfx::Point screen) const;
    gfx::Point ClientToScreen(Hwnd hwnd, gfx::Point client) const;
    /// The pointer position in screen pixels now, over our windows or not
    /// (a headless backend: where its scripted events have taken it).
    gfx::Point GetCursorPos();
    /// Moves the pointer (as if the user had moved it; mouse messages follow).
    void SetCursorPos(gfx::Point screen);
    /// Sends every mouse message to `hwnd` until released; returns the window
    /// that had the capture. WM_CAPTURECHANGED goes to the one that loses it.
    Hwnd SetCapture(Hwnd hwnd);
    void ReleaseCapture();
    Hwnd GetCapture() const { return capture_; }
    /// Asks for one WM_MOUSELEAVE when the pointer next leaves the window (is
    /// no longer over it or over nothing of it that takes input); after it is
    /// sent, the request is gone. False for a window that does not exist.
    bool TrackMouseLeave(Hwnd hwnd);
    /// Shows a pointer shape now (until the next WM_SETCURSOR changes it).
    void SetCursor(const Cursor& cursor);
    const Cursor& GetCursor() const { return cursor_; }
    /// Milliseconds within which a second press counts as a double click.
    int GetDoubleClickTime();
    /// Mouse buttons held now, as kLeftButton...
    MouseButtons GetMouseButtons() const { return buttons_; }

    // ======================================================================
    // Keyboard
    // ======================================================================

    /// Gives the keyboard focus to a visible, enabled window (WM_KILLFOCUS to
    /// the old one, then WM_SETFOCUS to the new), activating its top-level
    /// window first when needed; returns the previous focus window, or 0 when
    /// `hwnd` cannot take the focus. 0 removes the focus.
    Hwnd SetFocus(Hwnd hwnd);
    Hwnd GetFocus() const { return focus_; }
    /// Shift, Ctrl and Alt held now.
    ShiftState GetShiftState() const { return shift_; }
    /// Called with every input message bound for `top` or a window inside it,
    /// before dispatch. One hook a top-level window; an empty one removes it.
    void SetPreTranslateHook(Hwnd top, PreTranslateHook hook);
    /// Turns text from the input method on while an edit field has the focus;
    /// `caret` (window pixels of `hwnd`) places the candidate window.
    void SetTextInput(Hwnd hwnd, bool on, gfx::Rect caret = {});
    std::string GetClipboardText();
    void SetClipboardText(const std::string& utf8);

    // ======================================================================
    // Timers and the event loop
    // ======================================================================

    /// Starts (or restarts) timer `id` of the window: WM_TIMER with wParam =
    /// id every `interval_ms` (at least 1). Returns false for a missing window.
    bool SetTimer(Hwnd hwnd, std::uintptr_t id, int interval_ms);
    /// Stops it; false when it was not running.
    bool KillTimer(Hwnd hwnd, std::uintptr_t id);

    /// Runs the loop until no top-level window is left or Quit is called.
    /// Returns the code given to Quit (0 otherwise; -1 when a headless backend
    /// has nothing more to deliver while windows remain).
    int Run();
    /// Handles everything that is waiting (events, posted messages, due
    /// timers, painting) and returns without sleeping.
    void DoEvents();
    /// Runs the loop for `ms` milliseconds of the backend's clock, sleeping
    /// between events and timers. On a headless backend this advances the
    /// virtual clock and fires every timer at each of its due times.
    void RunFor(std::int64_t ms);
    /// Shows `hwnd` and runs a nested loop until it is hidden or destroyed.
    /// Meanwhile its owner takes no input but keeps painting and its timers
    /// run. Returns false when the loop ended without that (Quit, a stalled
    /// headless backend).
    bool ShowModal(Hwnd hwnd);
    /// Whether a modal loop for `hwnd` is running.
    bool IsModal(Hwnd hwnd) const;
    /// Ends every loop; Run returns `code`.
    void Quit(int code = 0);
    /// The backend clock in milliseconds.
    std::int64_t Now();

    // ======================================================================
    // Painting and composition
    // ======================================================================

    /// Marks part of a window (window pixels; nullopt: all of it) for painting.
    void InvalidateRect(Hwnd hwnd, std::optional<gfx::Rect> rect = std::nullopt);
    /// Paints and presents what is invalid in the window's top-level window now.
    void UpdateWindow(Hwnd hwnd);
    /// Freezes (false) or thaws (true) a window's picture on screen: while
    /// frozen, what it shows stays as it was; thawing repaints it whole.
    void SetRedraw(Hwnd hwnd, bool redraw);
    bool IsRedrawOn(Hwnd hwnd) const;
    /// Turns the window's own kept picture on or off.
    void SetPersistent(Hwnd hwnd, bool persistent);
    bool IsPersistent(Hwnd hwnd) const;
    /// Draws on a persistent window outside a paint request: `draw` gets a
    /// canvas on its kept picture, and what it draws is shown at the next
    /// update. Does nothing for a window that is not persistent.
    void DrawOnWindow(Hwnd hwnd, const std::function<void(gfx::Canvas&)>& draw);
    /// The kept picture of a persistent window; nullptr otherwise.
    const gfx::Surface* PersistentPicture(Hwnd hwnd) const;
    /// The top-level window's picture with everything invalid painted first
    /// (what the screen shows, before the density scale).
    const gfx::Surface& ComposedPicture(Hwnd top);

    // ======================================================================
    // Top-level windows
    // ======================================================================

    /// Sets the icon shown by the desktop (task bar, window list).
    void SetWindowIcon(Hwnd top, const gfx::Surface& icon);
    /// Centres the window on its owner, or on the work area when it has none
    /// (or `on_screen`).
    void CenterWindow(Hwnd top, bool on_screen = false);
    void MinimizeWindow(Hwnd top);
    void RestoreWindow(Hwnd top);
    bool IsMinimized(Hwnd top) const;
    void SetTopmost(Hwnd top, bool topmost);
    bool IsTopmost(Hwnd top) const;
    /// Makes a top-level window the active one (WM_NCACTIVATE, WM_ACTIVATE to
    /// the old and the new), raising it and giving its last focus back.
    void SetActiveWindow(Hwnd top);
    Hwnd GetActiveWindow() const { return active_; }
    /// The desktop work area and screen, in screen pixels.
    gfx::Rect GetWorkArea();
    gfx::Rect GetScreenRect();
    int GetSystemMetrics(int metric);
    /// The density scale pictures are presented at.
    int GetScale();
    /// The backend's name for a top-level window's native window; 0 for others.
    NativeId GetNativeId(Hwnd top) const;

private:
    // One pass of the loop: events, posted messages, due timers, painting;
    // then, when nothing was done and `may_wait`, a sleep of at most
    // `limit_ms` (negative: until the next timer or event). True when it did something.
    bool Pass(bool may_wait, std::int64_t limit_ms);
    void HandleEvent(const BackendEvent& ev);
    void HandleMouse(const BackendEvent& ev);
    void HandleKey(const BackendEvent& ev);
    // Passes an input message through its top-level window's pre-translate
    // hook, then sends it; false when the hook swallowed it.
    bool DispatchInput(Msg msg);
    // Takes the activation away from a top-level window (the desktop gave it to another program).
    void Deactivate(Hwnd top);
    // Makes `top` the active window; `raise` asks the backend to bring the
    // native window forward (false when the desktop itself activated it).
    void Activate(Hwnd top, bool raise);
    // The desktop activated `top`: follow it, or hand the activation to the
    // modal window that keeps `top` disabled.
    void DesktopActivated(Hwnd top);
    bool FireDueTimers();
    void PaintAll();
    // Sends WM_MOUSELEAVE to a window the pointer is no longer over that asked for it.
    void CheckHover(Hwnd now_under);
    Hwnd TopOfNative(NativeId id) const;

    friend class Window;
    friend class Timer;
    std::unique_ptr<Backend> backend_;
    std::unique_ptr<DesktopImpl> impl_;
    Msg current_;
    Hwnd capture_ = 0;
    Hwnd focus_ = 0;
    Hwnd active_ = 0;
    MouseButtons buttons_ = 0;
    ShiftState shift_ = 0;
    Cursor cursor_;
};

}  // namespace kes::ui
