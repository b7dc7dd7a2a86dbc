#include "forms/control.h"

#include <utility>

#include "forms/assign.h"
#include "forms/command.h"
#include "forms/form.h"
#include "forms/image.h"
#include "forms/label.h"
#include "forms/text_field.h"

namespace quorvel::forms {

Control::Control(Form& owner, std::string name, ControlKind kind, Rect bounds)
    : owner_(owner), name_(std::move(name)), kind_(kind), bounds_(bounds) {}

void Control::touch() noexcept {
    owner_.touch();
}

void Control::setLeft(Twips v) {
    if (assign(bounds_.left, v)) {
        touch();
    }
}

void Control::setTop(Twips v) {
    if (assign(bounds_.top, v)) {
        touch();
    }
}

void Control::setWidth(Twips v) {
    if (assign(bounds_.width, v)) {
        touch();
    }
}

void Control::setHeight(Twips v) {
    if (assign(bounds_.height, v)) {
        touch();
    }
}

void Control::move(Twips left, Twips top) {
    setLeft(left);
    setTop(top);
}

void Control::setBounds(Rect r) {
    if (assign(bounds_, r)) {
        touch();
    }
}

void Control::setVisible(bool v) {
    if (assign(visible_, v)) {
        touch();
    }
}

void Control::setToolTip(std::string t) {
    if (assign(toolTip_, std::move(t))) {
        touch();
    }
}

Image::Image(Form& owner, std::string name, Rect bounds)
    : Control(owner, std::move(name), ControlKind::Image, bounds) {}

void Image::setPicture(PictureRef p) {
    if (assign(picture_, std::move(p))) {
        touch();
    }
}

void Image::setStretch(bool s) {
    if (assign(stretch_, s)) {
        touch();
    }
}

void Image::setBorderStyle(int s) {
    if (assign(borderStyle_, s)) {
        touch();
    }
}

void Image::setMousePointer(MousePointer p) {
    // Only the pointer changes: nothing on the window needs drawing again.
    pointer_ = p;
}

Label::Label(Form& owner, std::string name, Rect bounds)
    : Control(owner, std::move(name), ControlKind::Label, bounds) {}

void Label::setCaption(std::string c) {
    if (assign(caption_, std::move(c))) {
        touch();
    }
}

void Label::setFont(Font f) {
    if (assign(font_, std::move(f))) {
        touch();
    }
}

void Label::setForeColor(ColorNumber c) {
    if (assign(foreColor_, c)) {
        touch();
    }
}

void Label::setAlignment(Alignment a) {
    if (assign(alignment_, a)) {
        touch();
    }
}

void Label::setOneLine(bool one) {
    if (assign(oneLine_, one)) {
        touch();
    }
}

TextField::TextField(Form& owner, std::string name)
    : Control(owner, std::move(name), ControlKind::TextField, Rect{}) {
    setVisible(false);
}

void TextField::setText(std::string t) {
    if (assign(text_, std::move(t)) && onChange) {
        onChange();
    }
}

Command::Command(Form& owner, std::string name, std::string caption)
    : Control(owner, std::move(name), ControlKind::Command, Rect{}), caption_(std::move(caption)) {
    setVisible(false);
}

void Command::press() const {
    if (onClick) {
        onClick();
    }
}

}  // namespace quorvel::forms
