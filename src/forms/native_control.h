#pragma once

#include <string>

#include "forms/control.h"

namespace quorvel::forms {

// A control the window system provides and a person operates: the host realises it as a real
// child window, so typing (through the input method too), copy and paste, Tab and screen
// readers work as on any Windows dialog. The control keeps its state here; what the person
// does comes back through the entry points of each kind (typeText, choose, press), which the
// host and the tests call alike. A control that is disabled or hidden takes no input.
class NativeControl : public Control {
public:
    NativeControl(Form& owner, std::string name, ControlKind kind, Rect bounds, int tabIndex);

    [[nodiscard]] bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool e);

    // Position in the Tab order of the form; controls are numbered in creation order.
    [[nodiscard]] int tabIndex() const noexcept { return tabIndex_; }
    void setTabIndex(int i);

    [[nodiscard]] bool acceptsInput() const noexcept { return enabled_ && visible(); }

private:
    bool enabled_ = true;
    int tabIndex_;
};

}  // namespace quorvel::forms
