#include "forms/item_row.h"

#include <algorithm>
#include <utility>

#include "forms/assign.h"

namespace quorvel::forms {

ItemRow::ItemRow(Form& owner, std::string name, Rect bounds, int tabIndex, bool wholeWindow)
    : NativeControl(owner, std::move(name), ControlKind::ItemRow, bounds, tabIndex),
      wholeWindow_(wholeWindow) {}

void ItemRow::setAccessibleName(std::string name) {
    accessibleName_ = std::move(name);
}

void ItemRow::setItems(std::vector<RowItem> items) {
    items_ = std::move(items);
    current_.reset();
    touch();
}

Image* ItemRow::imageOf(std::size_t index) const {
    if (index >= items_.size() || !items_[index].image) {
        return nullptr;
    }
    return items_[index].image();
}

std::vector<std::size_t> ItemRow::shown() const {
    std::vector<std::size_t> on;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (imageOf(i) != nullptr) {
            on.push_back(i);
        }
    }
    return on;
}

std::optional<std::size_t> ItemRow::current() const {
    if (current_ && imageOf(*current_) != nullptr) {
        return current_;
    }
    return std::nullopt;
}

Image* ItemRow::currentImage() const {
    return current_ ? imageOf(*current_) : nullptr;
}

void ItemRow::setCurrent(std::size_t index) {
    if (index < items_.size() && assign(current_, std::optional<std::size_t>(index))) {
        touch();
    }
}

std::optional<std::size_t> ItemRow::indexOf(const Image& image) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (imageOf(i) == &image) {
            return i;
        }
    }
    return std::nullopt;
}

void ItemRow::focusChanged(bool focused) {
    if (!assign(focused_, focused)) {
        return;
    }
    if (!focused) {
        cues_ = false;
    }
    touch();
    if (onFocus) {
        onFocus(focused);
    }
}

void ItemRow::showFocusCues() {
    if (assign(cues_, true)) {
        touch();
    }
}

bool ItemRow::step(Key key) {
    const std::vector<std::size_t> order = shown();
    if (order.empty()) {
        return false;
    }
    const auto at = std::find(order.begin(), order.end(), current().value_or(items_.size()));
    const std::size_t last = order.size() - 1;
    std::size_t target = 0;
    if (key == Key::End) {
        target = last;
    } else if (at != order.end() && key != Key::Home) {
        const auto here = static_cast<std::size_t>(at - order.begin());
        target = key == Key::Left ? (here == 0 ? 0 : here - 1) : std::min(here + 1, last);
    }
    // At either end the key is taken, and nothing moves.
    if (current() == order[target]) {
        return true;
    }
    current_ = order[target];
    touch();
    if (onMove) {
        onMove();
    }
    return true;
}

bool ItemRow::keyDown(const KeyPress& key) {
    if (!takesKeys_ || !focused_ || !acceptsInput()) {
        return false;
    }
    showFocusCues();
    switch (key.key) {
        case Key::Left:
        case Key::Right:
        case Key::Home:
        case Key::End:
            return step(key.key);
        case Key::Enter:
        case Key::Space:
            return current() && press(*current(), MouseButton::Left);
        case Key::Menu:
            return current() && press(*current(), MouseButton::Right);
        default:
            return onKey && onKey(key);
    }
}

bool ItemRow::press(std::size_t index, MouseButton button) {
    Image* image = imageOf(index);
    if (image == nullptr) {
        return false;
    }
    struct Pressing {
        const Image*& item;
        ~Pressing() { item = nullptr; }
    } pressing{pressing_};
    pressing_ = image;
    // A handler may change what the item's image is (the taskbar toggle swaps its pictures):
    // the click goes to the image that was pressed, as the pointer's would.
    const PointerHandlers events = image->events;
    const Point middle{image->width() / 2, image->height() / 2};
    if (events.onMouseDown) {
        events.onMouseDown(button, middle);
    }
    if (button == MouseButton::Left && events.onClick) {
        events.onClick();
    }
    return true;
}

}  // namespace quorvel::forms
