// A timer object: calls a function every interval, driven by the Desktop's
// loop and the backend's clock (real time, or a test's virtual clock).
#pragma once

#include <cstdint>
#include <functional>

namespace kes::ui {

class Desktop;

/// A timer that outlives its Desktop is stopped; it must not be started again.
class Timer {
public:
    /// A stopped timer with the given interval in milliseconds.
    Timer(Desktop& desktop, int interval_ms, std::function<void()> on_tick);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    /// Starts counting from now; a running timer starts its interval again.
    void Start();
    void Stop();
    bool IsRunning() const { return running_; }
    /// Changes the interval (at least 1 ms); a running timer restarts with it.
    void SetInterval(int interval_ms);
    int Interval() const { return interval_; }
    void SetOnTick(std::function<void()> on_tick) { on_tick_ = std::move(on_tick); }

private:
    friend class Desktop;
    Desktop& desktop_;
    int interval_;
    std::function<void()> on_tick_;
    bool running_ = false;
    std::uintptr_t id_ = 0;
};

}  // namespace kes::ui
