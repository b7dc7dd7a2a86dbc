#pragma once

#include "forms/geometry.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// A colour number as the settings hold it: &HBBGGRR is already a COLORREF; numbers with the top
// bit set name a system colour by the index in their low byte.
[[nodiscard]] inline COLORREF toColorRef(forms::ColorNumber c) noexcept {
    if (forms::isSystemColor(c)) {
        return GetSysColor(static_cast<int>(c & 0xFFU));
    }
    return static_cast<COLORREF>(c & 0xFFFFFFU);
}

}  // namespace quorvel::platform::win32
