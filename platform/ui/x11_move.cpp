#include "platform/ui/x11_move.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace kes::ui {

namespace {

// Whether the window manager lists `atom` among what it supports.
bool WmSupports(Display* dpy, Atom atom) {
    const Atom supported = XInternAtom(dpy, "_NET_SUPPORTED", True);
    if (supported == 0) return false;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), supported, 0, 4096, False, XA_ATOM, &type, &format, &count,
                           &after, &data) != Success || !data)
        return false;
    bool found = false;
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == atom;
    XFree(data);
    return found;
}

}  // namespace

bool X11BeginMove(SDL_Window* window, int root_x, int root_y) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display* dpy = info.info.x11.display;
    const Atom move_resize = XInternAtom(dpy, "_NET_WM_MOVERESIZE", False);
    if (!WmSupports(dpy, move_resize)) return false;
    // The window manager needs the pointer our press grabbed.
    SDL_CaptureMouse(SDL_FALSE);
    XUngrabPointer(dpy, CurrentTime);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = info.info.x11.window;
    ev.xclient.message_type = move_resize;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = root_x;
    ev.xclient.data.l[1] = root_y;
    ev.xclient.data.l[2] = 8;  // _NET_WM_MOVERESIZE_MOVE
    ev.xclient.data.l[3] = Button1;
    ev.xclient.data.l[4] = 1;  // from an ordinary application
    XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(dpy);
    return true;
}

}  // namespace kes::ui
