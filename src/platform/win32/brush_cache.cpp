#include "platform/win32/brush_cache.h"

#include "platform/win32/colors.h"

namespace quorvel::platform::win32 {

HBRUSH BrushCache::of(forms::ColorNumber colour) {
    if (forms::isSystemColor(colour)) {
        // Owned by the system and following its colour scheme.
        return GetSysColorBrush(static_cast<int>(colour & 0xFFU));
    }
    const COLORREF wanted = toColorRef(colour);
    for (const auto& [key, brush] : brushes_) {
        if (key == wanted) {
            return brush.get();
        }
    }
    if (brushes_.size() == kKept) {
        // Controls hold a brush only while they paint, so the oldest can go.
        brushes_.erase(brushes_.begin());
    }
    brushes_.emplace_back(wanted, UniqueBrush(CreateSolidBrush(wanted)));
    return brushes_.back().second.get();
}

}  // namespace quorvel::platform::win32
