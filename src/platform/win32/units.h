#pragma once

#include <cstdint>

#include "forms/geometry.h"
#include "platform/pixel_units.h"

namespace quorvel::platform::win32 {

using forms::kDesignDpi;
using forms::kTwipsPerInch;

using platform::pixelsToTwips;
using platform::toDesignPixels;
using platform::twipsToPixels;

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

}  // namespace quorvel::platform::win32
