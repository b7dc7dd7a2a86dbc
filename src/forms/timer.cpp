#include "forms/timer.h"

#include <utility>

namespace quorvel::forms {

Timer::Timer(Form& owner, std::string name, TimerService& service)
    : Control(owner, std::move(name), ControlKind::Timer, Rect{}), service_(service) {
    setVisible(false);
}

Timer::~Timer() {
    service_.disarm(*this);
}

void Timer::setInterval(std::uint32_t ms) {
    interval_ = ms;
    rearm();
}

void Timer::setEnabled(bool e) {
    if (enabled_ == e) {
        return;
    }
    enabled_ = e;
    rearm();
}

void Timer::start(std::uint32_t ms) {
    interval_ = ms;
    enabled_ = true;
    rearm();
}

void Timer::rearm() {
    if (running()) {
        service_.arm(*this, interval_);
    } else {
        service_.disarm(*this);
    }
}

void Timer::tick() {
    if (running() && onTimer) {
        onTimer();
    }
}

}  // namespace quorvel::forms
