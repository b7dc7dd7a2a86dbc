#include "platform/sim/sim_dialogs.h"

namespace quorvel::platform::sim {

namespace {
template <class T>
std::optional<T> next(std::deque<std::optional<T>>& script) {
    if (script.empty()) {
        return std::nullopt;
    }
    std::optional<T> answer = std::move(script.front());
    script.pop_front();
    return answer;
}
}  // namespace

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

std::optional<std::string> SimDialogs::openFile(const OpenFileRequest& request) {
    log_.add("openFile " + request.filter + " index=" + std::to_string(request.filterIndex) +
             " folder=" + request.initialFolder);
    fileRequests.push_back(request);
    return next(fileAnswers);
}

std::optional<FontChoice> SimDialogs::chooseFont(const FontChoice& preset) {
    log_.add("chooseFont " + preset.name + " " + std::to_string(preset.sizePt) +
             (preset.bold ? " bold" : "") + (preset.italic ? " italic" : ""));
    fontPresets.push_back(preset);
    return next(fontAnswers);
}

std::optional<forms::ColorNumber> SimDialogs::chooseColor(forms::ColorNumber initial) {
    log_.add("chooseColor " + std::to_string(initial));
    colorStarts.push_back(initial);
    return next(colorAnswers);
}

void SimDialogs::beep() {
    log_.add("beep");
    ++beeps;
}

}  // namespace quorvel::platform::sim
