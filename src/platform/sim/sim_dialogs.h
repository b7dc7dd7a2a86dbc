#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// Message boxes answered from a script; with the script used up, the first button is taken.
class SimDialogs final : public Dialogs {
public:
    explicit SimDialogs(CallLog& log) : log_(log) {}

    struct Shown {
        std::string text;
        MessageButtons buttons;
    };
    std::vector<Shown> messages;
    std::deque<MessageAnswer> answers;

    MessageAnswer messageBox(const std::string& text, MessageButtons buttons) override;

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
