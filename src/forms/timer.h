#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "forms/control.h"

namespace quorvel::forms {

class TimerService;

// A window timer: while enabled with a non-zero interval it ticks every interval
// milliseconds. Setting the interval or enabling it starts the count afresh. The ticks are
// delivered by a TimerService (the window system's timers, or a virtual clock in tests).
class Timer : public Control {
public:
    Timer(Form& owner, std::string name, TimerService& service);
    ~Timer() override;

    [[nodiscard]] std::uint32_t interval() const noexcept { return interval_; }
    void setInterval(std::uint32_t ms);
    [[nodiscard]] bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool e);
    // Interval and enabled together, as the windows mostly do: "enable Tim1 with 10 ms".
    void start(std::uint32_t ms);
    void stop() { setEnabled(false); }
    [[nodiscard]] bool running() const noexcept { return enabled_ && interval_ > 0; }

    // Called by the timer service when the interval has elapsed.
    void tick();

    std::function<void()> onTimer;

private:
    void rearm();

    TimerService& service_;
    std::uint32_t interval_ = 0;
    bool enabled_ = true;
};

// Delivers timer ticks. The host arms a real window timer; the simulation keeps a virtual
// clock. Arming a timer that is already armed restarts its count.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual void arm(Timer& timer, std::uint32_t intervalMs) = 0;
    virtual void disarm(Timer& timer) = 0;
};

}  // namespace quorvel::forms
