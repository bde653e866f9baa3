// Maps an X11 window with a time limit. SDL waits without one for the map to
// happen, and a window manager that dies holding our map request leaves it
// waiting for ever. Not for use outside platform/ui.
#pragma once

struct SDL_Window;

namespace kes::ui {

/// Asks for `window` to be mapped (again now and then: a window manager that
/// died has dropped the request) and waits at most `timeout_ms` for it. True
/// when it is mapped, or when it is not an X11 window (nothing was done).
bool X11MapWithin(SDL_Window* window, int timeout_ms);

}  // namespace kes::ui
