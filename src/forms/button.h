#pragma once

#include <functional>
#include <optional>
#include <string>

#include "forms/font.h"
#include "forms/native_control.h"

namespace quorvel::forms {

// A push button. The form's default button is pressed by Enter, its cancel button by Escape
// (and by the window's close box where the window says so).
class Button final : public NativeControl {
public:
    Button(Form& owner, std::string name, Rect bounds, std::string caption, int tabIndex);

    [[nodiscard]] const std::string& caption() const noexcept { return caption_; }
    void setCaption(std::string c);
    [[nodiscard]] bool isDefault() const noexcept { return default_; }
    void setDefault(bool d);
    [[nodiscard]] bool isCancel() const noexcept { return cancel_; }
    void setCancel(bool c);
    // The caption's typeface; none: the system's dialog font, as every other real control has.
    [[nodiscard]] const std::optional<Font>& font() const noexcept { return font_; }
    void setFont(Font f);

    // The person pressed the button (click, Space, Enter or Escape). Ignored while it takes no
    // input.
    bool press();

    std::function<void()> onClick;

private:
    std::string caption_;
    bool default_ = false;
    bool cancel_ = false;
    std::optional<Font> font_;
};

}  // namespace quorvel::forms
