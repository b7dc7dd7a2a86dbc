#pragma once

#include "platform/single_instance.h"
#include "platform/win32/handles.h"

namespace quorvel::platform::win32 {

// A named mutex in the session's own namespace: one bar per logged-on session and user.
class Win32SingleInstance final : public SingleInstance {
public:
    bool claim() override;

private:
    KernelHandle mutex_;
};

}  // namespace quorvel::platform::win32
