#include <utility>

#include "forms/assign.h"
#include "forms/button.h"
#include "forms/list_control.h"
#include "forms/native_control.h"
#include "forms/text_box.h"

namespace quorvel::forms {

NativeControl::NativeControl(Form& owner, std::string name, ControlKind kind, Rect bounds,
                             int tabIndex)
    : Control(owner, std::move(name), kind, bounds), tabIndex_(tabIndex) {}

void NativeControl::setEnabled(bool e) {
    if (assign(enabled_, e)) {
        touch();
    }
}

void NativeControl::setTabIndex(int i) {
    if (assign(tabIndex_, i)) {
        touch();
    }
}

std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Every byte that does not continue a sequence starts a new character.
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0U) != 0x80U) {
            if (characters == count) {
                return text.substr(0, i);
            }
            ++characters;
        }
    }
    return text;
}

TextBox::TextBox(Form& owner, std::string name, Rect bounds, int tabIndex)
    : NativeControl(owner, std::move(name), ControlKind::TextBox, bounds, tabIndex) {}

void TextBox::setText(std::string t) {
    if (!assign(text_, std::move(t))) {
        return;
    }
    touch();
    if (onChange) {
        onChange();
    }
}

void TextBox::setReadOnly(bool r) {
    if (assign(readOnly_, r)) {
        touch();
    }
}

void TextBox::setMaxLength(std::size_t n) {
    if (assign(maxLength_, n)) {
        touch();
    }
}

void TextBox::setBackColor(ColorNumber c) {
    if (assign(backColor_, c)) {
        touch();
    }
}

void TextBox::setForeColor(ColorNumber c) {
    if (assign(foreColor_, c)) {
        touch();
    }
}

bool TextBox::typeText(std::string text) {
    if (!acceptsInput() || readOnly_) {
        return false;
    }
    if (maxLength_ > 0) {
        text = firstCharacters(text, maxLength_);
    }
    if (fitTyped) {
        text = fitTyped(std::move(text));
    }
    setText(std::move(text));
    return true;
}

ListControl::ListControl(Form& owner, std::string name, ControlKind kind, Rect bounds, int tabIndex)
    : NativeControl(owner, std::move(name), kind, bounds, tabIndex) {}

void ListControl::setItems(std::vector<std::string> items) {
    const bool changed = assign(items_, std::move(items));
    if (changed || listIndex_ != -1) {
        listIndex_ = -1;
        touch();
    }
}

void ListControl::setListIndex(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
        index = -1;
    }
    if (!assign(listIndex_, index)) {
        return;
    }
    touch();
    if (onClick) {
        onClick();
    }
}

std::string ListControl::text() const {
    return listIndex_ < 0 ? std::string() : items_[static_cast<std::size_t>(listIndex_)];
}

void ListControl::setText(const std::string& text) {
    int found = -1;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == text) {
            found = static_cast<int>(i);
            break;
        }
    }
    setListIndex(found);
}

bool ListControl::choose(int index) {
    if (!acceptsInput() || index < 0 || static_cast<std::size_t>(index) >= items_.size()) {
        return false;
    }
    setListIndex(index);
    return true;
}

ComboBox::ComboBox(Form& owner, std::string name, Rect bounds, int tabIndex)
    : ListControl(owner, std::move(name), ControlKind::ComboBox, bounds, tabIndex) {}

ListBox::ListBox(Form& owner, std::string name, Rect bounds, int tabIndex)
    : ListControl(owner, std::move(name), ControlKind::ListBox, bounds, tabIndex) {}

bool ListBox::activate(int index) {
    if (!choose(index)) {
        return false;
    }
    if (onDblClick) {
        onDblClick();
    }
    return true;
}

Button::Button(Form& owner, std::string name, Rect bounds, std::string caption, int tabIndex)
    : NativeControl(owner, std::move(name), ControlKind::Button, bounds, tabIndex),
      caption_(std::move(caption)) {}

void Button::setCaption(std::string c) {
    if (assign(caption_, std::move(c))) {
        touch();
    }
}

void Button::setDefault(bool d) {
    if (assign(default_, d)) {
        touch();
    }
}

void Button::setCancel(bool c) {
    if (assign(cancel_, c)) {
        touch();
    }
}

void Button::setFont(Font f) {
    if (assign(font_, std::optional<Font>(std::move(f)))) {
        touch();
    }
}

bool Button::press() {
    if (!acceptsInput()) {
        return false;
    }
    if (onClick) {
        onClick();
    }
    return true;
}

}  // namespace quorvel::forms
