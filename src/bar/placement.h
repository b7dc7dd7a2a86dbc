#pragma once

#include <optional>
#include <string_view>

#include "forms/geometry.h"
#include "platform/screen.h"

namespace quorvel::bar {

// The edge of the screen a taskbar stands along.
enum class Edge { Top, Bottom, Left, Right };

// Which edge a taskbar (in pixels of 15 twips) stands along on the screen (in twips): one wider
// than high along the top or the bottom, one higher than wide along a side, whichever edge is
// nearer its middle.
[[nodiscard]] Edge edgeOf(const platform::PixelRect& taskbar, const forms::Rect& screen) noexcept;

// The taskbar as the bar keeps clear of it: its edge, and how far it reaches into the screen.
struct Taskbar {
    Edge edge = Edge::Bottom;
    forms::Twips thickness = 0;
};

// The bar's top for DockPos and TaskB ("表示": the taskbar is shown). A bar at the top sits a
// fraction of a pixel below the screen's top edge, or below a shown taskbar there; a bar at the
// bottom 5 twips above a shown taskbar at the bottom, else above the screen's bottom edge. nullopt
// where the words say nothing (the bar is not moved).
[[nodiscard]] std::optional<forms::Twips> barTop(std::string_view dockPos, std::string_view taskB,
                                                 const forms::Rect& screen, const Taskbar& taskbar,
                                                 forms::Twips barHeight) noexcept;

// A top kept on the screen: a bar never sits above or below it, however odd the taskbar's size.
[[nodiscard]] forms::Twips topOnScreen(forms::Twips top, const forms::Rect& screen,
                                       forms::Twips barHeight) noexcept;

// The bar's left edge: centred on the screen at its full width, then moved only as far as it
// takes for the switch panel, open at the bar's left, to stay on the screen and off a shown
// taskbar at the side, and for the right end to stay on the screen too while the bar fits. A
// bar wider than the room there loses its right end, never its left.
[[nodiscard]] forms::Twips barLeft(const forms::Rect& screen, const Taskbar& taskbar,
                                   bool taskbarShown, forms::Twips fullWidth) noexcept;

}  // namespace quorvel::bar
