#pragma once

#include "forms/geometry.h"
#include "settings/bar_dimensions.h"

namespace quorvel::bar::geometry {

using forms::Point;
using forms::Rect;
using forms::Twips;

// The bar's design size; the height never changes, the width follows FWdth.
inline constexpr Twips kBarDesignWidth = settings::kFullBarWidth;
inline constexpr Twips kBarHeight = 735;
// Before the first layout the bar is a 2-twip sliver, and each restart shrinks it back to one.
inline constexpr Twips kCollapsedWidth = settings::kCollapsedBarWidth;
inline constexpr Twips kDefaultWidth =
    settings::kEmptyBarWidth;  // the width of a bar without links
// The bar's top when it sits at the top edge: a fraction of a pixel below the edge, not 0.
inline constexpr Twips kTopEdgeDivisor = 995;
inline constexpr Twips kStartLeftDivisor = 9;
// A bottom bar keeps this gap above the taskbar (or the screen's bottom edge).
inline constexpr Twips kBottomGap = 5;
// The background image stops short of the window's right edge by this much.
inline constexpr Twips kBackgroundInset = 5;

inline constexpr Rect kBackground{0, 0, kBarDesignWidth, kBarHeight};
inline constexpr Rect kCloseButton{50, 50, 220, 220};
inline constexpr Rect kTaskbarButton{45, 300, 235, 300};
inline constexpr Rect kMyComputer{360, 120, 480, 480};
inline constexpr Rect kMyDocuments{960, 120, 480, 480};
inline constexpr Rect kRecycleBin{1560, 120, 480, 480};
inline constexpr Rect kDivider{2040, 120, 240, 480};

inline constexpr Twips kSlotTop = 120;
inline constexpr Twips kSlotSize = 480;
inline constexpr Twips kSlotPitch = settings::kSlotPitch;
inline constexpr Twips kFirstSeparatorLeft = 2700;
inline constexpr Twips kSeparatorWidth = 240;

[[nodiscard]] constexpr Rect slotRect(int n) noexcept {
    // The same positions the writers take the bar's width from.
    return Rect{settings::slotLeft(n), kSlotTop, kSlotSize, kSlotSize};
}
[[nodiscard]] constexpr Rect separatorRect(int n) noexcept {
    return Rect{kFirstSeparatorLeft + kSlotPitch * (n - 1), kSlotTop, kSeparatorWidth, kSlotSize};
}

// Where each default-picture image waits, below the visible 735 twips, while its item shows a
// picture of the user's own.
inline constexpr Rect kMyComputerParked{10320, 2520, 480, 480};
inline constexpr Rect kMyDocumentsParked{10800, 2520, 480, 480};
inline constexpr Rect kRecycleBinEmptyParked{11280, 2520, 480, 480};
inline constexpr Rect kRecycleBinFullParked{11760, 2520, 480, 480};
inline constexpr Rect kCloseParked{10920, 2040, 225, 225};
inline constexpr Rect kDividerParked{11280, 1920, 240, 480};
inline constexpr Rect kBackgroundParked{10920, 3120, 1342, kBarHeight};

// The switch panel sits against the bar's left end, a little below its top.
inline constexpr Twips kPanelTopOffset = 50;

}  // namespace quorvel::bar::geometry
