#include "platform/ui/x11_show.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <X11/Xlib.h>

namespace kes::ui {

namespace {

bool Mapped(Display* dpy, Window w) {
    XWindowAttributes attr{};
    return XGetWindowAttributes(dpy, w, &attr) && attr.map_state != IsUnmapped;
}

}  // namespace

bool X11MapWithin(SDL_Window* window, int timeout_ms) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    Display* dpy = info.info.x11.display;
    const Window w = info.info.x11.window;
    constexpr int kStepMs = 5, kAskAgainMs = 250;
    for (int waited = 0; !Mapped(dpy, w); waited += kStepMs) {
        if (waited >= timeout_ms) return false;
        if (waited % kAskAgainMs == 0) {
            XMapRaised(dpy, w);
            XFlush(dpy);
        }
        SDL_Delay(kStepMs);
    }
    return true;
}

}  // namespace kes::ui
