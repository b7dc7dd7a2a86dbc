#pragma once

#include "platform/sim/call_log.h"
#include "platform/single_instance.h"

namespace quorvel::platform::sim {

class SimSingleInstance final : public SingleInstance {
public:
    explicit SimSingleInstance(CallLog& log) : log_(log) {}

    bool otherInstanceRunning = false;

    bool claim() override {
        log_.add("claimInstance");
        return !otherInstanceRunning;
    }

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
