#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// Every dialog answered from a script and recorded with exactly what was asked. With its script
// used up a message box takes its first button and every chooser is cancelled.
class SimDialogs final : public Dialogs {
public:
    explicit SimDialogs(CallLog& log) : log_(log) {}

    struct Shown {
        std::string text;
        MessageButtons buttons;
    };
    std::vector<Shown> messages;
    std::deque<MessageAnswer> answers;

    std::vector<OpenFileRequest> fileRequests;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<FontChoice> fontPresets;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::vector<forms::ColorNumber> colorStarts;
    std::deque<std::optional<forms::ColorNumber>> colorAnswers;
    int beeps = 0;

    MessageAnswer messageBox(const std::string& text, MessageButtons buttons) override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& preset) override;
    std::optional<forms::ColorNumber> chooseColor(forms::ColorNumber initial) override;
    void beep() override;

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
