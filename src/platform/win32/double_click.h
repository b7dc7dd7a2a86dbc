#pragma once

#include "forms/double_click.h"

namespace quorvel::platform::win32 {

// The double-click time and rectangle the person set in the system, the rectangle in twips.
[[nodiscard]] forms::DoubleClickLimits systemDoubleClickLimits() noexcept;

}  // namespace quorvel::platform::win32
