#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// System calls of the host whose failure leaves nothing to do but take note (a window that
// would not move, a timer that could not be set). Nothing is shown to the user, but nothing is
// dropped either: each failure goes to the debugger output (under Wine, WINEDEBUG=+debugstr
// prints it) and the latest ones are kept for the tests and for a look in a debugger.
class FailureLog {
public:
    static constexpr std::size_t kKept = 64;

    // Notes the failure of `call` with the calling thread's last error.
    void record(std::string_view call);
    void record(std::string_view call, DWORD code);
    // The result of a BOOL-returning call: notes a failure, and says whether it succeeded.
    bool check(BOOL succeeded, std::string_view call);

    [[nodiscard]] const std::deque<std::string>& recent() const noexcept { return recent_; }

private:
    std::deque<std::string> recent_;
};

}  // namespace quorvel::platform::win32
