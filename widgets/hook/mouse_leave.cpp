#include "widgets/hook/mouse_leave.h"

#include "platform/forms/property_bag.h"

namespace kes::hook {

bool IsFunctionExported(std::string_view function, std::string_view module) {
  // Function names are exact, as a module's export table has them.
  if (forms::equal_names(module, "User32") || forms::equal_names(module, "User32.dll"))
    return function == "TrackMouseEvent";
  if (forms::equal_names(module, "Comctl32") || forms::equal_names(module, "Comctl32.dll"))
    return function == "_TrackMouseEvent";
  return false;
}

LeaveTracking DetectLeaveTracking() {
  if (IsFunctionExported("TrackMouseEvent", "User32")) return LeaveTracking::User32;
  if (IsFunctionExported("_TrackMouseEvent", "Comctl32")) return LeaveTracking::Comctl32;
  return LeaveTracking::Unavailable;
}

void TrackMouseLeave(ui::Desktop& desktop, LeaveTracking tracking, ui::Hwnd lng_hWnd) {
  if (tracking == LeaveTracking::Unavailable) return;
  desktop.TrackMouseLeave(lng_hWnd);
}

}  // namespace kes::hook
