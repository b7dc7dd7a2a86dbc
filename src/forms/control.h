#pragma once

#include <string>

#include "forms/geometry.h"

namespace quorvel::forms {

class Form;

enum class ControlKind {
    // Drawn by the host and hit-tested by the form.
    Image,
    Label,
    // Never seen: windows hand each other values and commands through these.
    TextField,
    Command,
    Timer,
    // Real controls of the window system, which a person types into or operates.
    TextBox,
    ComboBox,
    Button,
    ListBox,
    // Painted items that take the keyboard as one control (item_row.h).
    ItemRow,
};

// A control of a form, with the few properties the windows use. Setting a property never
// calls back into the program, except where a real control would: a text whose value changes
// fires its change handler, a pressed command runs its click handler, an enabled timer ticks.
// Every change bumps the owning form's revision so the host knows to bring the screen in line.
class Control {
public:
    Control(Form& owner, std::string name, ControlKind kind, Rect bounds);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    [[nodiscard]] const std::string& name() const noexcept { return name_; }
    [[nodiscard]] ControlKind kind() const noexcept { return kind_; }
    [[nodiscard]] Form& owner() const noexcept { return owner_; }

    [[nodiscard]] Rect bounds() const noexcept { return bounds_; }
    [[nodiscard]] Twips left() const noexcept { return bounds_.left; }
    [[nodiscard]] Twips top() const noexcept { return bounds_.top; }
    [[nodiscard]] Twips width() const noexcept { return bounds_.width; }
    [[nodiscard]] Twips height() const noexcept { return bounds_.height; }
    void setLeft(Twips v);
    void setTop(Twips v);
    void setWidth(Twips v);
    void setHeight(Twips v);
    void move(Twips left, Twips top);
    void setBounds(Rect r);

    [[nodiscard]] bool visible() const noexcept { return visible_; }
    void setVisible(bool v);

    // The hint the window system shows while the pointer rests on the control.
    [[nodiscard]] const std::string& toolTip() const noexcept { return toolTip_; }
    void setToolTip(std::string t);

protected:
    void touch() noexcept;

private:
    Form& owner_;
    std::string name_;
    ControlKind kind_;
    Rect bounds_;
    bool visible_ = true;
    std::string toolTip_;
};

}  // namespace quorvel::forms
