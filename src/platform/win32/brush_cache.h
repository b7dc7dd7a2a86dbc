#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "forms/geometry.h"
#include "platform/win32/handles.h"

namespace quorvel::platform::win32 {

// Solid brushes for the colours the controls are painted on, one per colour, kept for the next
// paint: WM_CTLCOLOR* asks for one every time a control draws.
class BrushCache {
public:
    static constexpr std::size_t kKept = 16;

    // A system colour's own brush, or a cached solid brush of the colour.
    [[nodiscard]] HBRUSH of(forms::ColorNumber colour);

private:
    std::vector<std::pair<COLORREF, UniqueBrush>> brushes_;
};

}  // namespace quorvel::platform::win32
