// How the program takes an error the X server reports. Not for use outside platform/ui.
#pragma once

namespace kes::ui {

/// Replaces Xlib's default reaction to an asynchronous X error, which ends the
/// process, by a note on standard error. Such errors name a request about a window
/// that has just gone; a calculator must not lose its window to one.
void X11MakeErrorsNonFatal();

}  // namespace kes::ui
