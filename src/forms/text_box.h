#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "forms/native_control.h"

namespace quorvel::forms {

// A one-line text box. Its change handler runs whenever the text really changes, whether the
// program set it or the person typed it.
class TextBox : public NativeControl {
public:
    TextBox(Form& owner, std::string name, Rect bounds, int tabIndex);

    [[nodiscard]] const std::string& text() const noexcept { return text_; }
    void setText(std::string t);

    // Read-only text can be selected and copied, not changed.
    [[nodiscard]] bool readOnly() const noexcept { return readOnly_; }
    void setReadOnly(bool r);
    // The most characters the box takes (0: no limit). Typing stops there.
    [[nodiscard]] std::size_t maxLength() const noexcept { return maxLength_; }
    void setMaxLength(std::size_t n);

    // The box's colours; by default the system's window and window-text colours.
    [[nodiscard]] ColorNumber backColor() const noexcept { return backColor_; }
    void setBackColor(ColorNumber c);
    [[nodiscard]] ColorNumber foreColor() const noexcept { return foreColor_; }
    void setForeColor(ColorNumber c);

    // What the person typed: the box's whole text after the edit. Ignored while the box is
    // disabled, hidden or read-only; cut to maxLength as the real box would. The program's own
    // text coming back unchanged (the host echoing it) is no change and fires nothing.
    bool typeText(std::string text);

    // What the person types passes through this before it becomes the text: a window holds a
    // name to what its stored field can take, so the person sees the limit while typing. Text
    // the program sets is not filtered.
    std::function<std::string(std::string)> fitTyped;
    std::function<void()> onChange;

private:
    std::string text_;
    bool readOnly_ = false;
    std::size_t maxLength_ = 0;
    ColorNumber backColor_ = kWindowBackground;
    ColorNumber foreColor_ = kWindowText;
};

// The first `count` characters (code points) of UTF-8 text; the whole text when it is shorter.
[[nodiscard]] std::string firstCharacters(const std::string& text, std::size_t count);

}  // namespace quorvel::forms
