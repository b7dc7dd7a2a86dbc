#pragma once

namespace quorvel::platform {

// The program's own process.
class Process {
public:
    virtual ~Process() = default;
    // Ends the program at once: no further event of any window runs.
    [[noreturn]] virtual void exitNow() = 0;
};

}  // namespace quorvel::platform
