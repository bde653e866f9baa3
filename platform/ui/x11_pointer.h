// Where the X11 pointer is now. SDL keeps its own copy of the global pointer
// position, refreshed only by input extension events it may never get, so the
// copy goes stale once the pointer has left our windows. Not for use outside
// platform/ui.
#pragma once

struct SDL_Window;

namespace kes::ui {

/// Asks the server of `window`'s display for the pointer position in root
/// (physical screen) pixels. False when `window` is not an X11 window.
bool X11PointerPosition(SDL_Window* window, int& root_x, int& root_y);

}  // namespace kes::ui
