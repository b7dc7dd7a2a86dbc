#include "forms/form.h"

#include <algorithm>
#include <utility>

#include "forms/assign.h"

namespace quorvel::forms {

Size WindowHost::windowSize(const Form& form) {
    return Size{form.width(), form.height()};
}

Form::Form(std::string name, FormServices services, Rect bounds, std::span<const ControlRow> layout,
           std::span<const MenuRow> menus)
    : name_(std::move(name)), services_(services), bounds_(bounds) {
    build(layout);
    buildMenus(*this, menus);
}

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
    ++stackingSerial_;
    touch();
}

void Form::restack() noexcept {
    ++stackingSerial_;
    touch();
}

void Form::bringToFront() noexcept {
    ++activationSerial_;
    touch();
}

void Form::setCoveredAreas(std::vector<Rect> areas) {
    if (assign(covered_, std::move(areas))) {
        touch();
    }
}

void Form::handBackFocus() noexcept {
    ++focusReturnSerial_;
    touch();
}

void Form::setHotkey(std::optional<Hotkey> key) {
    if (assign(hotkey_, key)) {
        touch();
    }
}

void Form::hotkeyPressed() const {
    if (onHotkey) {
        onHotkey();
    }
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

void Form::setStyle(FormStyle s) {
    if (assign(style_, s)) {
        touch();
    }
}

void Form::setCaption(std::string c) {
    if (assign(caption_, std::move(c))) {
        touch();
    }
}

void Form::setMenuBar(bool shown) {
    if (assign(menuBar_, shown)) {
        touch();
    }
}

void Form::quieten() {
    for (const auto& control : controls_) {
        if (control->kind() == ControlKind::Timer) {
            static_cast<Timer&>(*control).stop();
        }
    }
    hide();
}

template <class T, class... Args>
T& Form::add(Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *control;
    controls_.push_back(std::move(control));
    touch();
    return ref;
}

int Form::nextTabIndex() const noexcept {
    return static_cast<int>(std::count_if(controls_.begin(), controls_.end(), [](const auto& c) {
        return dynamic_cast<const NativeControl*>(c.get()) != nullptr;
    }));
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

TextBox& Form::addTextBox(std::string name, Rect bounds) {
    return add<TextBox>(std::move(name), bounds, nextTabIndex());
}

ComboBox& Form::addComboBox(std::string name, Rect bounds) {
    return add<ComboBox>(std::move(name), bounds, nextTabIndex());
}

ListBox& Form::addListBox(std::string name, Rect bounds) {
    return add<ListBox>(std::move(name), bounds, nextTabIndex());
}

Button& Form::addButton(std::string name, Rect bounds, std::string caption) {
    return add<Button>(std::move(name), bounds, std::move(caption), nextTabIndex());
}

ItemRow& Form::addItemRow(std::string name, Rect bounds, bool wholeWindow) {
    return add<ItemRow>(std::move(name), bounds, nextTabIndex(), wholeWindow);
}

ItemRow* Form::windowRow() const noexcept {
    for (const auto& c : controls_) {
        if (c->kind() == ControlKind::ItemRow) {
            auto* row = static_cast<ItemRow*>(c.get());
            if (row->wholeWindow()) {
                return row;
            }
        }
    }
    return nullptr;
}

namespace {

std::vector<std::string> splitItems(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        items.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return items;
}

}  // namespace

void Form::buildRow(const ControlRow& row, std::string name, Rect bounds) {
    const bool hidden = (row.flags & kHidden) != 0;
    const bool disabled = (row.flags & kDisabled) != 0;
    Control* made = nullptr;
    switch (row.kind) {
        case ControlKind::Image: {
            Image& image = addImage(std::move(name), bounds);
            image.setStretch((row.flags & kUnstretched) == 0);
            if (row.picture) {
                image.setPicture(services_.pictures.builtin(*row.picture));
            }
            made = &image;
            break;
        }
        case ControlKind::Label: {
            Label& label = addLabel(std::move(name), bounds);
            label.setCaption(std::string(row.caption));
            if ((row.flags & kCentred) != 0) {
                label.setAlignment(Alignment::Center);
            } else if ((row.flags & kRightAligned) != 0) {
                label.setAlignment(Alignment::Right);
            }
            label.setOneLine((row.flags & kOneLine) != 0);
            made = &label;
            break;
        }
        case ControlKind::TextField:
            addTextField(std::move(name)).setText(std::string(row.caption));
            return;
        case ControlKind::Command:
            addCommand(std::move(name), std::string(row.caption));
            return;
        case ControlKind::Timer:
            addTimer(std::move(name));
            return;
        case ControlKind::TextBox: {
            TextBox& box = addTextBox(std::move(name), bounds);
            box.setText(std::string(row.caption));
            box.setReadOnly((row.flags & kReadOnly) != 0);
            box.setEnabled(!disabled);
            made = &box;
            break;
        }
        case ControlKind::ComboBox:
        case ControlKind::ListBox: {
            ListControl& list =
                row.kind == ControlKind::ComboBox
                    ? static_cast<ListControl&>(addComboBox(std::move(name), bounds))
                    : addListBox(std::move(name), bounds);
            list.setItems(splitItems(row.caption));
            list.setEnabled(!disabled);
            made = &list;
            break;
        }
        case ControlKind::ItemRow:
            made = &addItemRow(std::move(name), bounds, (row.flags & kWholeWindow) != 0);
            break;
        case ControlKind::Button: {
            Button& button = addButton(std::move(name), bounds, std::string(row.caption));
            button.setDefault((row.flags & kDefaultButton) != 0);
            button.setCancel((row.flags & kCancelButton) != 0);
            button.setEnabled(!disabled);
            made = &button;
            break;
        }
    }
    if (made != nullptr && hidden) {
        made->setVisible(false);
    }
}

void Form::build(std::span<const ControlRow> layout) {
    for (const ControlRow& row : layout) {
        if (row.count <= 0) {
            buildRow(row, std::string(row.name), row.bounds);
            continue;
        }
        for (int i = 0; i < row.count; ++i) {
            const Rect bounds{row.bounds.left + row.step.x * i, row.bounds.top + row.step.y * i,
                              row.bounds.width, row.bounds.height};
            buildRow(row, std::string(row.name) + std::to_string(i + 1) + std::string(row.suffix),
                     bounds);
        }
    }
}

MenuItem& Form::addMenu(std::string name, std::string caption) {
    menus_.push_back(std::make_unique<MenuItem>(*this, std::move(name), std::move(caption)));
    touch();
    return *menus_.back();
}

MenuItem& Form::menuItem(std::string_view name) const {
    for (const auto& menu : menus_) {
        if (MenuItem* found = menu->find(name)) {
            return *found;
        }
    }
    throw std::logic_error(name_ + " has no such menu entry: " + std::string(name));
}

void Form::popupMenu(MenuItem& menu, const std::optional<Rect>& beside) {
    menu.click();
    MenuItem* chosen = services_.host.popupMenu(*this, menu, beside);
    if (chosen != nullptr) {
        chosen->click();
    }
}

Control* Form::find(std::string_view name) const noexcept {
    for (const auto& c : controls_) {
        if (c->name() == name) {
            return c.get();
        }
    }
    return nullptr;
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

MousePointer Form::pointerAt(Point p) const noexcept {
    const Control* c = controlAt(p);
    if (c != nullptr && c->kind() == ControlKind::Image) {
        return static_cast<const Image*>(c)->mousePointer();
    }
    return MousePointer::Default;
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

void Form::mouseDown(MouseButton button, Point p, std::optional<std::uint32_t> pressedAtMs) {
    if (button != MouseButton::Left) {
        presses_.reset();
    } else if (presses_.repeats({left() + p.x, top() + p.y}, pressedAtMs,
                                services_.host.doubleClickLimits())) {
        pressed_ = nullptr;
        return;
    }
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

namespace {
template <class Pick>
bool pressButton(const std::vector<std::unique_ptr<Control>>& controls, Pick pick) {
    for (const auto& c : controls) {
        auto* button = dynamic_cast<Button*>(c.get());
        if (button != nullptr && pick(*button) && button->acceptsInput()) {
            return button->press();
        }
    }
    return false;
}
}  // namespace

bool Form::enterKey() {
    return pressButton(controls_, [](const Button& b) { return b.isDefault(); });
}

bool Form::escapeKey() {
    return pressButton(controls_, [](const Button& b) { return b.isCancel(); });
}

bool Form::requestClose() {
    if (!onCloseRequest) {
        return false;
    }
    onCloseRequest();
    return true;
}

bool Form::acceptsDrops() const noexcept {
    if (backgroundEvents.onDrop) {
        return true;
    }
    return std::any_of(controls_.begin(), controls_.end(), [](const auto& c) {
        const PointerHandlers* h = handlersOf(c.get());
        return h != nullptr && h->onDrop;
    });
}

DropEffect Form::dropEffectAt(Point p, const DragData& data) const {
    Control* c = controlAt(p);
    const PointerHandlers* h = c != nullptr ? handlersOf(c) : &backgroundEvents;
    if (h == nullptr || !h->onDrop || data.empty()) {
        return DropEffect::None;
    }
    return h->dropEffect ? h->dropEffect(data) : DropEffect::None;
}

void Form::drop(Point p, const DragData& data) {
    if (dropEffectAt(p, data) == DropEffect::None) {
        return;
    }
    Control* c = controlAt(p);
    PointerHandlers* h = c != nullptr ? handlersOf(c) : &backgroundEvents;
    h->onDrop(data);
}

}  // namespace quorvel::forms
