#pragma once

#include <optional>
#include <span>

#include "forms/geometry.h"
#include "platform/screen.h"

namespace quorvel::platform {

// A monitor as the system describes it: where it lies among the others, in its own physical
// pixels, and the scale the person chose for it.
struct Monitor {
    PixelRect bounds;
    int dpi = forms::kDesignDpi;
    bool primary = false;
};

// The monitor the bar belongs on: the primary one, wherever it lies and whatever the others'
// scales; the first one when none says it is the primary (a system in the middle of a change).
[[nodiscard]] std::optional<Monitor> primaryMonitor(std::span<const Monitor> monitors) noexcept;

// The monitor's rectangle in twips at its own scale.
[[nodiscard]] forms::Rect twipsOf(const Monitor& monitor) noexcept;

// A rectangle of a monitor's physical pixels in pixels of 15 twips, as the bar counts the
// taskbar: on a 144-dpi monitor the shell's 45 pixels are 30.
[[nodiscard]] PixelRect designPixelsOf(const PixelRect& rect, int dpi) noexcept;

// Where the primary taskbar is: the shell's answer, or the taskbar window's own rectangle when
// the shell answers with a sliver no taskbar is drawn as (Wine's is one pixel thin); nothing
// when neither is known.
[[nodiscard]] std::optional<PixelRect> taskbarArea(std::optional<PixelRect> shellAnswer,
                                                   std::optional<PixelRect> window) noexcept;

}  // namespace quorvel::platform
