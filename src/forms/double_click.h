#pragma once

#include <cstdint>
#include <optional>

#include "forms/geometry.h"

namespace quorvel::forms {

// How soon and how near a second press must follow the one before to belong to the same
// double-click, as the person has set the system up: the time in milliseconds, and the size of
// the rectangle centred on the press before (4 x 4 pixels, 60 x 60 twips, out of the box).
struct DoubleClickLimits {
    std::uint32_t timeMs = 500;
    Size area{60, 60};
};

// Tells the presses that only repeat the press before (a double-click's second, a triple-click's
// third) from those that start something of their own. A press is compared with the press just
// before it, so a quick run of clicks at one spot is one action however long it goes on; a press
// that comes later than the limit allows, or further off, starts afresh.
class PressSeries {
public:
    // `at` is where the press went down on the screen, `timeMs` when, on the system's wrapping
    // clock of input events. A press without a time never repeats one, nor can the next repeat it.
    [[nodiscard]] bool repeats(Point at, std::optional<std::uint32_t> timeMs,
                               const DoubleClickLimits& limits) noexcept;
    void reset() noexcept { last_.reset(); }

private:
    struct Press {
        Point at;
        std::uint32_t timeMs;
    };
    std::optional<Press> last_;
};

}  // namespace quorvel::forms
