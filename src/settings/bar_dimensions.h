#pragma once

#include "forms/geometry.h"

namespace quorvel::settings {

// The bar's widths and slot positions, in twips. The writers take the bar's full width from
// the slot positions, and the bar lays its items out by the same numbers.
inline constexpr forms::Twips kCollapsedBarWidth = 2;  // a bar before (and between) layouts
inline constexpr forms::Twips kEmptyBarWidth = 2280;   // slot 1's left edge: a bar without links
inline constexpr forms::Twips kFullBarWidth = 12495;   // all seventeen slots in use
inline constexpr forms::Twips kSlotPitch = 600;

// Left edge of link slot image n (1..17) on the bar.
[[nodiscard]] constexpr forms::Twips slotLeft(int n) noexcept {
    return kEmptyBarWidth + kSlotPitch * (n - 1);
}

}  // namespace quorvel::settings
