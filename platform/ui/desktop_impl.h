// Inside the Desktop: the records it keeps per window and timer, shared by
// its source files. Not for use outside platform/ui.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/ui/desktop.h"
#include "platform/ui/timer.h"

namespace kes::ui {

// Beyond this many separate dirty rectangles a window is recomposed as one.
inline constexpr std::size_t kMaxDirtyRects = 16;
// The square around the first press in which a second one is a double click.
inline constexpr int kDoubleClickSlop = 4;
// After handing the desktop's activation of a disabled owner to its modal
// window, further such activations are ignored this long (unless the user acts).
inline constexpr std::int64_t kHandoffRearmMs = 500;

struct WindowRec {
    Hwnd hwnd = 0;
    Hwnd parent = 0;
    Hwnd owner = 0;
    gfx::Rect rect;
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool transparent = false;
    bool persistent = false;
    bool double_clicks = true;
    bool redraw = true;
    bool destroying = false;
    std::uint32_t background = 0;
    Cursor cursor;
    std::optional<gfx::Region> region;
    std::shared_ptr<WindowProc> proc;
    Window* object = nullptr;
    std::vector<Hwnd> children;  // bottom of the z-order first

    // A persistent window's kept picture.
    gfx::Surface picture;
    bool picture_ready = false;

    // While frozen: what the window showed, in top-level pixels.
    gfx::Surface frozen;
    gfx::Rect frozen_area;

    // Top-level windows only.
    NativeId native = 0;
    bool topmost = false;
    bool minimized = false;
    gfx::Surface composed;
    std::vector<gfx::Rect> dirty;  // top-level pixels
    Hwnd last_focus = 0;
    PreTranslateHook hook;
};

struct TimerRec {
    Hwnd hwnd = 0;          // 0 for a timer object
    std::uintptr_t id = 0;
    int interval = 1;
    std::int64_t due = 0;
    Timer* object = nullptr;
};

struct DesktopImpl {
    std::map<Hwnd, std::unique_ptr<WindowRec>> windows;
    std::vector<Hwnd> tops;  // z-order of top-level windows, the front one last
    Hwnd next_handle = 1;
    std::deque<Msg> queue;
    std::vector<TimerRec> timers;
    std::uintptr_t next_object_timer = 1;

    Hwnd hover = 0;           // the window under the pointer at the last check
    std::vector<Hwnd> tracking;  // windows waiting for WM_MOUSELEAVE
    bool check_hover = false;
    gfx::Point pointer;

    struct Click {
        Hwnd hwnd = 0;
        Message down = 0;
        std::int64_t time = 0;
        gfx::Point pos;
        bool was_double = false;
    } last_click;

    bool moving = false;
    Hwnd move_top = 0;
    gfx::Point move_offset;

    std::vector<Hwnd> modal_stack;
    bool quit = false;
    int quit_code = 0;
    bool stalled = false;
    bool click_activate = false;  // the activation under way comes from a press
    struct Handoff {
        Hwnd to = 0;  // the modal window last given an activation meant for its owner
        std::int64_t time = 0;
    } handoff;
};

inline WindowRec* Find(DesktopImpl& impl, Hwnd h) {
    if (h == 0) return nullptr;
    auto it = impl.windows.find(h);
    return it == impl.windows.end() ? nullptr : it->second.get();
}
inline const WindowRec* Find(const DesktopImpl& impl, Hwnd h) {
    if (h == 0) return nullptr;
    auto it = impl.windows.find(h);
    return it == impl.windows.end() ? nullptr : it->second.get();
}


// The front-most shown top-level window under a screen point; topmost windows first.
inline Hwnd TopAt(const DesktopImpl& im, gfx::Point screen) {
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = im.tops.rbegin(); it != im.tops.rend(); ++it) {
            const WindowRec* t = Find(im, *it);
            if (!t || !t->visible || t->minimized || t->topmost != (pass == 0)) continue;
            if (!t->rect.contains(screen)) continue;
            const gfx::Point q{screen.x - t->rect.x, screen.y - t->rect.y};
            if (t->region && !t->region->contains(q)) continue;
            return t->hwnd;
        }
    }
    return 0;
}


// Recomposes what is dirty in one top-level window and, when asked, presents it.
void ComposeTop(Desktop& d, DesktopImpl& im, Backend& backend, Hwnd top, bool present);

}  // namespace kes::ui
