#pragma once

#include <optional>
#include <string>

#include "forms/button.h"
#include "platform/win32/control_adapter.h"

namespace quorvel::platform::win32 {

// A push button as a BUTTON, in the form's typeface for it if it has one. The focused button
// looks like the default one, and Enter presses it; with the focus elsewhere the form's default
// button does.
class ButtonAdapter final : public ControlAdapter {
public:
    using Model = forms::Button;
    ButtonAdapter(forms::Button& button, ChildId id, const ControlServices& services)
        : ControlAdapter(button, id, services), button_(button) {}

    bool command(UINT code) override;
    [[nodiscard]] bool isFocusNotice(UINT code) const override { return code == BN_SETFOCUS; }
    [[nodiscard]] bool takesEnterWhenFocused() const override { return true; }
    void showDefault(const ControlAdapter* focusedButton) override;

private:
    [[nodiscard]] ChildClass childClass() const override {
        // BS_NOTIFY: the button reports getting the focus, which moves the default look.
        return {L"BUTTON", kChildStyle | BS_PUSHBUTTON | BS_NOTIFY, 0};
    }
    void applyState() override;
    [[nodiscard]] std::optional<forms::Font> ownFont() const override { return button_.font(); }

    forms::Button& button_;
    std::optional<std::string> caption_;
};

}  // namespace quorvel::platform::win32
