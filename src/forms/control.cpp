#include "forms/control.h"

#include <utility>

#include "forms/assign.h"
#include "forms/form.h"

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

TextField::TextField(Form& owner, std::string name)
    : Control(owner, std::move(name), ControlKind::TextField, Rect{}) {
    setVisible(false);
}

void TextField::setText(std::string t) {
    if (text_ == t) {
        return;
    }
    text_ = std::move(t);
    if (onChange) {
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

Timer::Timer(Form& owner, std::string name, TimerService& service)
    : Control(owner, std::move(name), ControlKind::Timer, Rect{}), service_(service) {
    setVisible(false);
}

Timer::~Timer() {
    service_.disarm(*this);
}

void Timer::setInterval(std::uint32_t ms) {
    interval_ = ms;
    rearm();
}

void Timer::setEnabled(bool e) {
    if (enabled_ == e) {
        return;
    }
    enabled_ = e;
    rearm();
}

void Timer::start(std::uint32_t ms) {
    interval_ = ms;
    enabled_ = true;
    rearm();
}

void Timer::rearm() {
    if (running()) {
        service_.arm(*this, interval_);
    } else {
        service_.disarm(*this);
    }
}

void Timer::tick() {
    if (running() && onTimer) {
        onTimer();
    }
}

}  // namespace quorvel::forms
