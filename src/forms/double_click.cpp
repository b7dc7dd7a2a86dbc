#include "forms/double_click.h"

#include <cstdlib>

namespace quorvel::forms {

bool PressSeries::repeats(Point at, std::optional<std::uint32_t> timeMs,
                          const DoubleClickLimits& limits) noexcept {
    if (!timeMs) {
        last_.reset();
        return false;
    }
    bool repeat = false;
    if (last_) {
        // Unsigned: the system's clock wraps after some 49 days, and the difference still holds.
        const std::uint32_t elapsed = *timeMs - last_->timeMs;
        repeat = elapsed <= limits.timeMs &&
                 std::abs(at.x - last_->at.x) <= limits.area.width / 2 &&
                 std::abs(at.y - last_->at.y) <= limits.area.height / 2;
    }
    last_ = Press{at, *timeMs};
    return repeat;
}

}  // namespace quorvel::forms
