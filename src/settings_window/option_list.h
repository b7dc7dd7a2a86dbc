#pragma once

#include <functional>
#include <string>
#include <utility>

#include "forms/list_control.h"

namespace quorvel::settings_window {

// A drop-down list of fixed words bound to the value it stands for. The value may be a word
// the list does not hold (a damaged settings file can give DockPos "xyz"): the list then shows
// no selection, and the value is kept as it is, and saved so, until the person picks a word.
class OptionList {
public:
    explicit OptionList(forms::ComboBox& box) : box_(box) {
        box_.onClick = [this] { Box_Click(); };
    }
    OptionList(const OptionList&) = delete;
    OptionList& operator=(const OptionList&) = delete;

    [[nodiscard]] const std::string& value() const noexcept { return value_; }
    [[nodiscard]] forms::ComboBox& box() const noexcept { return box_; }

    // The program sets the value; onChange runs when it really changes, as it does for a text.
    void set(std::string value) {
        if (value == value_) {
            return;
        }
        value_ = std::move(value);
        settingBox_ = true;
        box_.setText(value_);
        settingBox_ = false;
        if (onChange) {
            onChange();
        }
    }

    // Runs on every change of the value, by the program or by the person.
    std::function<void()> onChange;
    // Runs after onChange when the person picked the word (never for the program's changes).
    std::function<void()> onChosen;

private:
    void Box_Click() {
        // A list that loses its selection is no choice: the person can only pick a word.
        if (settingBox_ || box_.listIndex() < 0 || box_.text() == value_) {
            return;
        }
        value_ = box_.text();
        if (onChange) {
            onChange();
        }
        if (onChosen) {
            onChosen();
        }
    }

    forms::ComboBox& box_;
    std::string value_;
    bool settingBox_ = false;
};

}  // namespace quorvel::settings_window
