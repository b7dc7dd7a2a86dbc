#include "bar/placement.h"

#include <algorithm>
#include <cstdint>

#include "bar/dock_geometry.h"
#include "settings/settings_model.h"
#include "window_api/popups.h"

namespace quorvel::bar {

namespace g = geometry;
namespace w = settings::words;

Edge edgeOf(const platform::PixelRect& taskbar, const forms::Rect& screen) noexcept {
    // Twice the middle, in twips, so that nothing is rounded.
    constexpr std::int64_t kTwips = forms::kTwipsPerDesignPixel;
    const std::int64_t middleX = (std::int64_t{taskbar.left} + taskbar.right) * kTwips;
    const std::int64_t middleY = (std::int64_t{taskbar.top} + taskbar.bottom) * kTwips;
    const std::int64_t screenMiddleX = 2 * std::int64_t{screen.left} + screen.width;
    const std::int64_t screenMiddleY = 2 * std::int64_t{screen.top} + screen.height;
    if (std::int64_t{taskbar.right} - taskbar.left >= std::int64_t{taskbar.bottom} - taskbar.top) {
        return middleY < screenMiddleY ? Edge::Top : Edge::Bottom;
    }
    return middleX < screenMiddleX ? Edge::Left : Edge::Right;
}

std::optional<forms::Twips> barTop(std::string_view dockPos, std::string_view taskB,
                                   const forms::Rect& screen, const Taskbar& taskbar,
                                   forms::Twips barHeight) noexcept {
    const bool shown = taskB == w::kShown;
    if (!shown && taskB != w::kHidden && dockPos == w::kBottom) {
        return std::nullopt;
    }
    const auto shownAlong = [&](Edge edge) { return shown && taskbar.edge == edge; };
    if (dockPos == w::kTop) {
        const forms::Twips below = shownAlong(Edge::Top) ? taskbar.thickness : 0;
        return screen.top + below + screen.height / g::kTopEdgeDivisor;
    }
    if (dockPos == w::kBottom) {
        const forms::Twips above = shownAlong(Edge::Bottom) ? taskbar.thickness : 0;
        return screen.top + screen.height - above - barHeight - g::kBottomGap;
    }
    return std::nullopt;
}

forms::Twips topOnScreen(forms::Twips top, const forms::Rect& screen,
                         forms::Twips barHeight) noexcept {
    return std::max(screen.top, std::min(top, screen.top + screen.height - barHeight));
}

forms::Twips barLeft(const forms::Rect& screen, const Taskbar& taskbar, bool taskbarShown,
                     forms::Twips fullWidth) noexcept {
    forms::Twips from = screen.left;
    forms::Twips to = screen.left + screen.width;
    if (taskbarShown && taskbar.edge == Edge::Left) {
        from += taskbar.thickness;
    } else if (taskbarShown && taskbar.edge == Edge::Right) {
        to -= taskbar.thickness;
    }
    const forms::Twips centred = screen.left + screen.width / 2 - fullWidth / 2;
    const forms::Twips rightEndOn = std::min(centred, to - fullWidth);
    return std::max(rightEndOn, from + window_api::SwitchPanel::kOpenWidth);
}

}  // namespace quorvel::bar
