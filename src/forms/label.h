#pragma once

#include <string>

#include "forms/control.h"
#include "forms/font.h"
#include "forms/image.h"

namespace quorvel::forms {

enum class Alignment { Left, Center, Right };

// Text drawn by the host on the form's background.
class Label : public Control {
public:
    Label(Form& owner, std::string name, Rect bounds);

    [[nodiscard]] const std::string& caption() const noexcept { return caption_; }
    void setCaption(std::string c);
    [[nodiscard]] const Font& font() const noexcept { return font_; }
    void setFont(Font f);
    [[nodiscard]] ColorNumber foreColor() const noexcept { return foreColor_; }
    void setForeColor(ColorNumber c);
    [[nodiscard]] Alignment alignment() const noexcept { return alignment_; }
    void setAlignment(Alignment a);
    // Text that must stay on one line: where the font chosen (or the face the system falls back
    // to) is too wide for the label, the host draws it smaller until the whole text fits.
    [[nodiscard]] bool oneLine() const noexcept { return oneLine_; }
    void setOneLine(bool one);

    PointerHandlers events;

private:
    std::string caption_;
    Font font_;
    ColorNumber foreColor_ = kButtonText;
    Alignment alignment_ = Alignment::Left;
    bool oneLine_ = false;
};

}  // namespace quorvel::forms
