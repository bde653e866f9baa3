#include "platform/ui/x11_pointer.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <X11/Xlib.h>

namespace kes::ui {

bool X11PointerPosition(SDL_Window* window, int& root_x, int& root_y) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display* dpy = info.info.x11.display;
    Window root = 0, child = 0;
    int wx = 0, wy = 0;
    unsigned int mask = 0;
    return XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &root_x, &root_y, &wx, &wy, &mask) == True;
}

}  // namespace kes::ui
