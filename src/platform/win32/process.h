#pragma once

#include "platform/process.h"

namespace quorvel::platform::win32 {

// Quit means at once: a posted quit message would let queued timer ticks and clicks still run.
class Win32Process final : public Process {
public:
    [[noreturn]] void exitNow() override;
};

}  // namespace quorvel::platform::win32
