#pragma once

#include <cstddef>
#include <deque>
#include <exception>
#include <string>
#include <string_view>

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// What goes wrong in the Win32 layer where no caller can be told.
//
// System calls whose failure leaves nothing to do but take note (a window that would not move, a
// timer that could not be set, a library function that is missing). Nothing is shown to the
// user, but nothing is dropped either: each failure goes to the debugger output (under Wine,
// WINEDEBUG=+debugstr prints it) and the latest ones are kept for the tests and for a look in a
// debugger.
//
// A handler of the program that threw inside one of the window system's callbacks (a window
// procedure, a timer's, a watcher's): the failure cannot unwind through the system's frames, so
// it is parked here and the message loop rethrows it when the message has been handled.
class FailureLog {
public:
    static constexpr std::size_t kKept = 64;

    // Notes the failure of `call` with the calling thread's last error.
    void record(std::string_view call);
    void record(std::string_view call, DWORD code);
    // The result of a BOOL-returning call: notes a failure, and says whether it succeeded.
    bool check(BOOL succeeded, std::string_view call);

    [[nodiscard]] const std::deque<std::string>& recent() const noexcept { return recent_; }

    // Runs a handler from inside a window system's callback, parking what it throws. The first
    // failure is the one kept: what fails after it, before the loop gets to it, is most likely
    // its consequence.
    template <class Handler>
    void guard(Handler&& handler) noexcept {
        try {
            handler();
        } catch (...) {
            if (!parked_) {
                parked_ = std::current_exception();
            }
        }
    }
    // Rethrows the parked failure, once.
    void rethrowParked();

private:
    std::deque<std::string> recent_;
    std::exception_ptr parked_;
};

// SetWindowLongPtrW, whose answer 0 is a failure only when the thread's last error says so.
bool setWindowLong(HWND window, int index, LONG_PTR value, FailureLog& failures);

}  // namespace quorvel::platform::win32
