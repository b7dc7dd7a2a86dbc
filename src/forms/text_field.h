#pragma once

#include <functional>
#include <string>

#include "forms/control.h"

namespace quorvel::forms {

// A hidden text field: windows hand each other values through these. The change handler runs
// only when the text really changes, whoever sets it.
class TextField : public Control {
public:
    TextField(Form& owner, std::string name);

    [[nodiscard]] const std::string& text() const noexcept { return text_; }
    void setText(std::string t);

    std::function<void()> onChange;

protected:
    TextField(Form& owner, std::string name, ControlKind kind, Rect bounds);

private:
    std::string text_;
};

}  // namespace quorvel::forms
