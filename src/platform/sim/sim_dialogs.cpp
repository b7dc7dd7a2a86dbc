#include "platform/sim/sim_dialogs.h"

namespace quorvel::platform::sim {

MessageAnswer SimDialogs::messageBox(const std::string& text, MessageButtons buttons) {
    log_.add("messageBox " + text);
    messages.push_back({text, buttons});
    if (!answers.empty()) {
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

}  // namespace quorvel::platform::sim
