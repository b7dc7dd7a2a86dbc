#pragma once

#include <functional>
#include <string>

namespace quorvel::platform::win32 {

// Shows every taskbar without waiting for the shell to answer: fit for a dying process, from any
// thread, whatever locks it holds.
void showTaskbarNow() noexcept;

// Makes sure that however the program dies of something nothing else caught, the taskbar comes
// back first: an exception no handler took on any thread (access violation, stack overflow, a
// C++ exception escaping a thread), std::terminate, abort, a pure virtual call. Each still ends
// the program the way it would have; only the taskbar is shown before. Called once, first.
void installLastResort() noexcept;

// Runs the program's body. An exception that leaves it ends the program like any run-time
// error: the taskbar is shown again, then `report` gets the failure's message (empty when the
// exception carries none) and the result is 1.
int runGuarded(const std::function<int()>& body,
               const std::function<void(const std::string&)>& report) noexcept;

}  // namespace quorvel::platform::win32
