#pragma once

#include <functional>
#include <string>

#include "forms/control.h"

namespace quorvel::forms {

// A hidden command button: pressing it runs its handler at once, inside the caller.
class Command : public Control {
public:
    Command(Form& owner, std::string name, std::string caption);

    [[nodiscard]] const std::string& caption() const noexcept { return caption_; }
    void press() const;

    std::function<void()> onClick;

private:
    std::string caption_;
};

}  // namespace quorvel::forms
