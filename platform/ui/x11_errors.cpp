#include "platform/ui/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace kes::ui {

namespace {

int NoteError(Display* dpy, XErrorEvent* error) {
    char text[160] = {};
    XGetErrorText(dpy, error->error_code, text, sizeof text);
    std::fprintf(stderr, "kestrane: X error ignored: %s (request %d, resource 0x%lx)\n", text,
                 static_cast<int>(error->request_code), static_cast<unsigned long>(error->resourceid));
    return 0;
}

}  // namespace

void X11MakeErrorsNonFatal() { XSetErrorHandler(NoteError); }

}  // namespace kes::ui
