#pragma once
// Whether the window layer can report the pointer leaving a window, and the request for
// one such report.

#include <string_view>

#include "platform/ui/desktop.h"
#include "platform/ui/message.h"

namespace kes::hook {

// Whether `module` provides `function`. The window layer provides mouse-leave tracking
// under the names its callers probe for ("TrackMouseEvent" in "User32", "_TrackMouseEvent"
// in "Comctl32"); module names are compared without regard to case. Everything else is False.
bool IsFunctionExported(std::string_view function, std::string_view module);

// Which of the two probed functions provides the tracking.
enum class LeaveTracking { Unavailable, User32, Comctl32 };

LeaveTracking DetectLeaveTracking();

// Asks for one WM_MOUSELEAVE when the pointer leaves the window; nothing when unavailable.
void TrackMouseLeave(ui::Desktop& desktop, LeaveTracking tracking, ui::Hwnd lng_hWnd);

}  // namespace kes::hook
