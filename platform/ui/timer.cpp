#include "platform/ui/timer.h"

#include <algorithm>

#include "platform/ui/desktop.h"
#include "platform/ui/desktop_impl.h"

namespace kes::ui {

Timer::Timer(Desktop& desktop, int interval_ms, std::function<void()> on_tick)
    : desktop_(desktop), interval_(std::max(interval_ms, 1)), on_tick_(std::move(on_tick)) {}

Timer::~Timer() { Stop(); }

void Timer::Start() {
    DesktopImpl& im = *desktop_.impl_;
    const std::int64_t due = desktop_.Now() + interval_;
    for (TimerRec& t : im.timers)
        if (t.object == this) {
            t.interval = interval_;
            t.due = due;
            running_ = true;
            return;
        }
    id_ = im.next_object_timer++;
    im.timers.push_back(TimerRec{0, id_, interval_, due, this});
    running_ = true;
}

void Timer::Stop() {
    if (!running_) return;
    std::erase_if(desktop_.impl_->timers, [this](const TimerRec& t) { return t.object == this; });
    running_ = false;
}

void Timer::SetInterval(int interval_ms) {
    interval_ = std::max(interval_ms, 1);
    if (running_) Start();
}

}  // namespace kes::ui
