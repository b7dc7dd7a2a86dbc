#pragma once

#include <algorithm>
#include <string_view>

#include "forms/geometry.h"
#include "settings/settings_model.h"

namespace quorvel::bar {

// The widest bar the program will lay out. Widths come from text the user (or a damaged file)
// can fill with anything; holding them to this range keeps the arithmetic on them (insets,
// animation steps, centring) far from overflow.
inline constexpr forms::Twips kMaxBarWidth = 32767;

// The bar's full width as FWdth gives it: lenient ("abc" is 0), never negative, never wider
// than kMaxBarWidth.
[[nodiscard]] inline forms::Twips fullWidthOf(std::string_view fwdth) noexcept {
    return std::clamp<forms::Twips>(settings::toInt32(fwdth), 0, kMaxBarWidth);
}

// The taskbar height held in BarSize, read leniently and kept within 16 bits.
[[nodiscard]] inline forms::Twips taskbarHeightOf(std::string_view barSize) noexcept {
    return settings::toInt16(barSize);
}

}  // namespace quorvel::bar
