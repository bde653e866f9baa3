#include "platform/forms/timer_control.h"

#include "platform/forms/events.h"
#include "platform/ui/desktop.h"

namespace kes::forms {
namespace {

constexpr std::uintptr_t kTick = 1;

ControlSite hidden(ControlSite s) {
    s.visible = false;
    s.rect.width = s.rect.height = 0;
    return s;
}

}  // namespace

TimerControl::TimerControl(const ControlSite& site) : Control(hidden(site)) {}

TimerControl::~TimerControl() {
    if (hwnd()) desktop().KillTimer(hwnd(), kTick);
}

void TimerControl::ReadProperties(const PropertyBag& bag) {
    interval_ = std::max(0, int(bag.read_int32("Interval", 0)));
    enabled_ = bag.read_bool("Enabled", true);
    Apply();
}

void TimerControl::WriteProperties(PropertyBag& bag) const {
    bag.write_int32("Interval", interval_, 0);
    bag.write_bool("Enabled", enabled_, true);
}

void TimerControl::SetInterval(int ms) {
    interval_ = ms < 0 ? 0 : ms;
    Apply();
}

void TimerControl::SetEnabled(bool v) {
    enabled_ = v;
    Apply();
}

void TimerControl::Apply() {
    if (!hwnd()) return;
    if (enabled_ && interval_ > 0)
        desktop().SetTimer(hwnd(), kTick, interval_);
    else
        desktop().KillTimer(hwnd(), kTick);
}

void TimerControl::OnTimer(std::uintptr_t id) {
    if (id == kTick) Raise(kTimer);
}

}  // namespace kes::forms
