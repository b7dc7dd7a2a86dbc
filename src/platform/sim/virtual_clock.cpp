#include "platform/sim/virtual_clock.h"

#include <algorithm>

namespace quorvel::platform::sim {

void VirtualClock::arm(forms::Timer& timer, std::uint32_t intervalMs) {
    disarm(timer);
    entries_.push_back({&timer, now_ + intervalMs, intervalMs, nextOrder_++});
}

void VirtualClock::disarm(forms::Timer& timer) {
    std::erase_if(entries_, [&](const Entry& e) { return e.timer == &timer; });
}

bool VirtualClock::armed(const forms::Timer& timer) const noexcept {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.timer == &timer; });
}

void VirtualClock::advance(std::uint64_t ms) {
    const std::uint64_t until = now_ + ms;
    for (;;) {
        auto next =
            std::min_element(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
                return a.due != b.due ? a.due < b.due : a.order < b.order;
            });
        if (next == entries_.end() || next->due > until) {
            break;
        }
        now_ = next->due;
        // Reschedule before the tick: the handler may re-arm, disarm or even destroy the timer,
        // and after the tick the entry is not touched again.
        next->due += next->interval;
        next->order = nextOrder_++;
        forms::Timer* timer = next->timer;
        if (dispatcher_ != nullptr) {
            dispatcher_->dispatch([timer] { timer->tick(); });
        } else {
            timer->tick();
        }
        if (afterTick) {
            afterTick();
        }
    }
    now_ = until;
}

}  // namespace quorvel::platform::sim
