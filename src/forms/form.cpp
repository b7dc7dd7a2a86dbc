#include "forms/form.h"

#include <stdexcept>
#include <utility>

#include "forms/assign.h"

namespace quorvel::forms {

Form::Form(std::string name, FormServices services, Rect bounds)
    : name_(std::move(name)), services_(services), bounds_(bounds) {}

Form::~Form() {
    if (announced_) {
        services_.host.formDestroyed(*this);
    }
}

void Form::announce() {
    if (!announced_) {
        announced_ = true;
        services_.host.formCreated(*this);
    }
}

void Form::setLeft(Twips v) {
    if (assign(bounds_.left, v)) {
        touch();
    }
}

void Form::setTop(Twips v) {
    if (assign(bounds_.top, v)) {
        touch();
    }
}

void Form::setWidth(Twips v) {
    if (assign(bounds_.width, v)) {
        touch();
    }
}

void Form::setHeight(Twips v) {
    if (assign(bounds_.height, v)) {
        touch();
    }
}

void Form::setVisible(bool v) {
    if (assign(visible_, v)) {
        touch();
    }
}

void Form::setTopmost(bool t) {
    topmost_ = t;
    visible_ = true;
    touch();
}

void Form::setBackColor(ColorNumber c) {
    if (assign(backColor_, c)) {
        touch();
    }
}

void Form::setColorKey(std::optional<ColorNumber> key) {
    if (assign(colorKey_, key)) {
        touch();
    }
}

template <class T, class... Args>
T& Form::add(Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *control;
    controls_.push_back(std::move(control));
    touch();
    return ref;
}

Image& Form::addImage(std::string name, Rect bounds) {
    return add<Image>(std::move(name), bounds);
}

Label& Form::addLabel(std::string name, Rect bounds) {
    return add<Label>(std::move(name), bounds);
}

TextField& Form::addTextField(std::string name) {
    return add<TextField>(std::move(name));
}

Command& Form::addCommand(std::string name, std::string caption) {
    return add<Command>(std::move(name), std::move(caption));
}

Timer& Form::addTimer(std::string name) {
    return add<Timer>(std::move(name), services_.timers);
}

Control* Form::find(std::string_view name) const noexcept {
    for (const auto& c : controls_) {
        if (c->name() == name) {
            return c.get();
        }
    }
    return nullptr;
}

namespace {
template <class T>
T& require(const Form& form, std::string_view name, ControlKind kind) {
    Control* c = form.find(name);
    if (c == nullptr || c->kind() != kind) {
        throw std::logic_error(form.name() + " has no control " + std::string(name));
    }
    return static_cast<T&>(*c);
}
}  // namespace

Image& Form::image(std::string_view name) const {
    return require<Image>(*this, name, ControlKind::Image);
}
Label& Form::label(std::string_view name) const {
    return require<Label>(*this, name, ControlKind::Label);
}
TextField& Form::textField(std::string_view name) const {
    return require<TextField>(*this, name, ControlKind::TextField);
}
Command& Form::command(std::string_view name) const {
    return require<Command>(*this, name, ControlKind::Command);
}
Timer& Form::timer(std::string_view name) const {
    return require<Timer>(*this, name, ControlKind::Timer);
}

Control* Form::controlAt(Point p) const noexcept {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control& c = **it;
        const bool pointable = c.kind() == ControlKind::Image || c.kind() == ControlKind::Label;
        if (pointable && c.visible() && c.bounds().contains(p)) {
            return &c;
        }
    }
    return nullptr;
}

namespace {
PointerHandlers* handlersOf(Control* c) {
    if (c == nullptr) {
        return nullptr;
    }
    if (c->kind() == ControlKind::Image) {
        return &static_cast<Image*>(c)->events;
    }
    if (c->kind() == ControlKind::Label) {
        return &static_cast<Label*>(c)->events;
    }
    return nullptr;
}

Point relativeTo(const Control* c, Point p) {
    return c == nullptr ? p : Point{p.x - c->left(), p.y - c->top()};
}
}  // namespace

void Form::mouseMove(Point p) {
    Control* c = controlAt(p);
    PointerHandlers* h = c != nullptr ? handlersOf(c) : &backgroundEvents;
    if (h != nullptr && h->onMouseMove) {
        h->onMouseMove(relativeTo(c, p));
    }
}

void Form::mouseDown(MouseButton button, Point p) {
    Control* c = controlAt(p);
    if (button == MouseButton::Left) {
        pressed_ = c;
    }
    PointerHandlers* h = c != nullptr ? handlersOf(c) : &backgroundEvents;
    if (h != nullptr && h->onMouseDown) {
        h->onMouseDown(button, relativeTo(c, p));
    }
}

void Form::mouseUp(MouseButton button, Point p) {
    if (button != MouseButton::Left) {
        return;
    }
    Control* c = controlAt(p);
    const bool sameControl = c != nullptr && c == pressed_;
    pressed_ = nullptr;
    if (!sameControl) {
        return;
    }
    PointerHandlers* h = handlersOf(c);
    if (h != nullptr && h->onClick) {
        h->onClick();
    }
}

void Form::drop(Point p, const std::vector<std::string>& files) {
    Control* c = controlAt(p);
    PointerHandlers* h = c != nullptr ? handlersOf(c) : &backgroundEvents;
    if (h != nullptr && h->onDrop) {
        h->onDrop(files);
    }
}

}  // namespace quorvel::forms
