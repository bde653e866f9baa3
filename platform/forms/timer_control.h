// The timer control: raises Timer every Interval milliseconds while enabled and the
// interval is above 0. It has no look; it lives as a hidden window on the form.
#pragma once

#include <string_view>

#include "platform/forms/control.h"

namespace kes::forms {

class TimerControl : public Control {
public:
    // Stored settings: "Interval" (0), "Enabled" (True).
    explicit TimerControl(const ControlSite& site);
    ~TimerControl() override;

    std::string_view Kind() const override { return "Timer"; }
    void InitProperties() override {}
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;
    bool CanFocus() const override { return false; }

    int Interval() const { return interval_; }
    // Changing the interval of a running timer starts its count again.
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    // The timer's own switch (its window stays hidden whatever it says).
    void SetEnabled(bool v) override;

protected:
    void OnTimer(std::uintptr_t id) override;

private:
    void Apply();

    int interval_ = 0;
    bool enabled_ = true;
};

}  // namespace kes::forms
