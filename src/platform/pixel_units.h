#pragma once

#include <cstdint>

#include "forms/geometry.h"

namespace quorvel::platform {

// A twip is 1/1440 inch; with d dots per inch a pixel is 1440/d twips (15 at 96 dpi, 10 at 144).
// The window system counts in pixels of each monitor's own scale, the program in twips.

// Twips to pixels, rounded to the nearest pixel (halves away from zero), so that an edge lands on
// the same pixel wherever it is computed from.
[[nodiscard]] constexpr int twipsToPixels(forms::Twips twips, int dpi) noexcept {
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = forms::kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / forms::kTwipsPerInch
                                        : -((-scaled + half) / forms::kTwipsPerInch));
}

[[nodiscard]] constexpr forms::Twips pixelsToTwips(int pixels, int dpi) noexcept {
    if (dpi <= 0) {
        return 0;
    }
    return static_cast<forms::Twips>(static_cast<std::int64_t>(pixels) * forms::kTwipsPerInch /
                                     dpi);
}

// A pixel length as the core counts it: 15 twips per pixel, whatever the screen's real DPI.
[[nodiscard]] constexpr int toDesignPixels(int pixels, int dpi) noexcept {
    return dpi <= 0 ? pixels : twipsToPixels(pixelsToTwips(pixels, dpi), forms::kDesignDpi);
}

}  // namespace quorvel::platform
