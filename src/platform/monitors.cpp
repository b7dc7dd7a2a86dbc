#include "platform/monitors.h"

#include <algorithm>

#include "platform/pixel_units.h"

namespace quorvel::platform {

namespace {

// A taskbar thinner than this many pixels is not what the shell really shows.
constexpr std::int32_t kThinnestTaskbar = 2;

std::int32_t thickness(const PixelRect& r) noexcept {
    return std::min(r.right - r.left, r.bottom - r.top);
}

}  // namespace

std::optional<Monitor> primaryMonitor(std::span<const Monitor> monitors) noexcept {
    if (monitors.empty()) {
        return std::nullopt;
    }
    const auto primary =
        std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
    return primary != monitors.end() ? *primary : monitors.front();
}

forms::Rect twipsOf(const Monitor& monitor) noexcept {
    // Edges, not lengths, are converted: two monitors that touch in pixels touch in twips.
    const forms::Twips left = pixelsToTwips(monitor.bounds.left, monitor.dpi);
    const forms::Twips top = pixelsToTwips(monitor.bounds.top, monitor.dpi);
    return forms::Rect{left, top, pixelsToTwips(monitor.bounds.right, monitor.dpi) - left,
                       pixelsToTwips(monitor.bounds.bottom, monitor.dpi) - top};
}

PixelRect designPixelsOf(const PixelRect& rect, int dpi) noexcept {
    return PixelRect{toDesignPixels(rect.left, dpi), toDesignPixels(rect.top, dpi),
                     toDesignPixels(rect.right, dpi), toDesignPixels(rect.bottom, dpi)};
}

std::optional<PixelRect> taskbarArea(std::optional<PixelRect> shellAnswer,
                                     std::optional<PixelRect> window) noexcept {
    if (shellAnswer && thickness(*shellAnswer) < kThinnestTaskbar && window &&
        thickness(*window) > thickness(*shellAnswer)) {
        return window;
    }
    return shellAnswer;
}

}  // namespace quorvel::platform
