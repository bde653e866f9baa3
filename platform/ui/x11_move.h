// Asks an X11 window manager to move a window with the pointer, the way a
// press on a native title bar does. Not for use outside platform/ui.
#pragma once

struct SDL_Window;

namespace kes::ui {

/// Starts a window-manager move of `window` from the pointer's position
/// (physical screen pixels) while the left button is held. False when the
/// window is not on X11 or no window manager there offers such moves.
bool X11BeginMove(SDL_Window* window, int root_x, int root_y);

}  // namespace kes::ui
