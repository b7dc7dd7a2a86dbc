#pragma once

#include <stdexcept>

#include "platform/process.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// Thrown where the real program would end, so a test can catch the end and look around.
class ProgramEnded : public std::runtime_error {
public:
    ProgramEnded() : std::runtime_error("the program ended") {}
};

class SimProcess final : public Process {
public:
    explicit SimProcess(CallLog& log) : log_(log) {}

    [[noreturn]] void exitNow() override {
        log_.add("exitNow");
        throw ProgramEnded();
    }

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
