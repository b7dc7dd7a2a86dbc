#pragma once

#include <cstdint>

#include "forms/geometry.h"

namespace quorvel::platform::win32 {

// A twip is 1/1440 inch; with d dots per inch a pixel is 1440/d twips (15 at 96 dpi, 10 at 144).
using forms::kDesignDpi;
using forms::kTwipsPerInch;

// Twips to pixels, rounded to the nearest pixel (halves away from zero), so that an edge lands on
// the same pixel wherever it is computed from.
[[nodiscard]] constexpr int twipsToPixels(forms::Twips twips, int dpi) noexcept {
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

[[nodiscard]] constexpr forms::Twips pixelsToTwips(int pixels, int dpi) noexcept {
    if (dpi <= 0) {
        return 0;
    }
    return static_cast<forms::Twips>(static_cast<std::int64_t>(pixels) * kTwipsPerInch / dpi);
}

// A control's rectangle in pixels. Both edges are converted, not the width, so controls that
// touch in twips touch in pixels too.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    [[nodiscard]] constexpr int width() const noexcept { return right - left; }
    [[nodiscard]] constexpr int height() const noexcept { return bottom - top; }
    friend constexpr bool operator==(const PixelBox&, const PixelBox&) noexcept = default;
};

[[nodiscard]] constexpr PixelBox toPixels(forms::Rect r, int dpi) noexcept {
    return {twipsToPixels(r.left, dpi), twipsToPixels(r.top, dpi),
            twipsToPixels(r.left + r.width, dpi), twipsToPixels(r.top + r.height, dpi)};
}

// A pixel length as the core counts it: 15 twips per pixel, whatever the screen's real DPI.
[[nodiscard]] constexpr int toDesignPixels(int pixels, int dpi) noexcept {
    return dpi <= 0 ? pixels : twipsToPixels(pixelsToTwips(pixels, dpi), kDesignDpi);
}

}  // namespace quorvel::platform::win32
