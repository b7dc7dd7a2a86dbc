#pragma once

#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// The window classes of the program's own kinds of child control, each registered when the
// first control of its kind is made, so a window without one pays nothing for it, and
// unregistered with the host.
class ChildClasses {
public:
    ChildClasses(HINSTANCE instance, FailureLog& failures) noexcept
        : instance_(instance), failures_(failures) {}

    // The class of an item row's window (item_row_adapter.h); null when it cannot be had.
    [[nodiscard]] const wchar_t* itemRow();

private:
    HINSTANCE instance_;
    FailureLog& failures_;
    WindowClass itemRow_;
    bool itemRowTried_ = false;
};

}  // namespace quorvel::platform::win32
