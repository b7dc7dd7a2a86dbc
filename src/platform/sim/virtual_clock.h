#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "forms/timer.h"
#include "platform/event_dispatcher.h"

namespace quorvel::platform::sim {

// Time for tests: nothing moves until advance() is called, and then every due timer ticks in
// the order of its due time (on a tie, the one scheduled longer ago first), as often as its
// interval fits. A timer armed again, even from inside its own tick, counts afresh from that
// moment.
class VirtualClock final : public forms::TimerService {
public:
    void arm(forms::Timer& timer, std::uint32_t intervalMs) override;
    void disarm(forms::Timer& timer) override;

    void advance(std::uint64_t ms);
    [[nodiscard]] std::uint64_t now() const noexcept { return now_; }
    [[nodiscard]] bool armed(const forms::Timer& timer) const noexcept;
    [[nodiscard]] std::size_t armedCount() const noexcept { return entries_.size(); }

    // Ticks run through the dispatcher as the real timers' do, with the after-event step.
    void setDispatcher(EventDispatcher* dispatcher) noexcept { dispatcher_ = dispatcher; }
    // Run after every tick and its after-event step: a hook for tests that watch the ticks.
    std::function<void()> afterTick;

private:
    struct Entry {
        forms::Timer* timer;
        std::uint64_t due;
        std::uint32_t interval;
        std::uint64_t order;
    };

    std::vector<Entry> entries_;
    std::uint64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
    EventDispatcher* dispatcher_ = nullptr;
};

}  // namespace quorvel::platform::sim
