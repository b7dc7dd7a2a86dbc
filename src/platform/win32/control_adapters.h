#pragma once

#include <memory>

#include "forms/control.h"
#include "platform/win32/control_adapter.h"

namespace quorvel::platform::win32 {

// The adapter of a control's kind, its window not made yet; null for the kinds that are painted
// (images, labels) or have no window at all (hidden fields, timers).
[[nodiscard]] std::unique_ptr<ControlAdapter> adapterFor(forms::Control& control, ChildId id,
                                                         const ControlServices& services);

}  // namespace quorvel::platform::win32
