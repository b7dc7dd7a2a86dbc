#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/image.h"
#include "forms/keys.h"
#include "forms/native_control.h"

namespace quorvel::forms {

// One item of a row: what stands for it on the window, and what a screen reader says of it.
struct RowItem {
    // The image that is the item now (the one drawn and hit: an item's built-in twin while it
    // lies over it), or null while the item is not on the window.
    std::function<Image*()> image;
    std::function<std::string()> name;
    std::function<std::string()> value;  // may be left empty
};

// Painted items of a window that a person steps through with the keyboard, as the buttons of
// a tool bar: Left and Right go to the next item shown, Home and End to the first and the last,
// Enter and Space press the current item as a left click does, the menu key as the right
// button does; the window takes the keys the row has no use for. The current item carries a
// focus mark while the row has the keyboard focus and the keyboard is in use: a click that
// gives the window the focus shows none. A screen reader reads the row as a tool bar of push
// buttons, named by the items.
//
// The host realises a row as a tab stop of its own among the window's real controls, or, for a
// row that is the whole window's (the bar and its switch panel, which have no real controls),
// as the window's own keyboard focus and accessible object.
class ItemRow final : public NativeControl {
public:
    ItemRow(Form& owner, std::string name, Rect bounds, int tabIndex, bool wholeWindow);

    [[nodiscard]] bool wholeWindow() const noexcept { return wholeWindow_; }
    // What a screen reader calls the row.
    [[nodiscard]] const std::string& accessibleName() const noexcept { return accessibleName_; }
    void setAccessibleName(std::string name);
    // A row that only screen readers read takes no keys.
    [[nodiscard]] bool takesKeys() const noexcept { return takesKeys_; }
    void setTakesKeys(bool takes) noexcept { takesKeys_ = takes; }

    void setItems(std::vector<RowItem> items);
    [[nodiscard]] const std::vector<RowItem>& items() const noexcept { return items_; }
    // The items on the window now, as indices into items(), in order.
    [[nodiscard]] std::vector<std::size_t> shown() const;
    [[nodiscard]] Image* imageOf(std::size_t index) const;

    // The current item while it is on the window.
    [[nodiscard]] std::optional<std::size_t> current() const;
    [[nodiscard]] Image* currentImage() const;
    // Makes the item current without a word to the window (a click chose it, or the window
    // puts the keyboard there).
    void setCurrent(std::size_t index);
    // The item whose image that is, if any.
    [[nodiscard]] std::optional<std::size_t> indexOf(const Image& image) const;

    [[nodiscard]] bool focused() const noexcept { return focused_; }
    // The focus mark is drawn around the current item.
    [[nodiscard]] bool showsFocus() const noexcept { return focused_ && cues_ && currentImage(); }
    // The host: the row got or lost the keyboard focus. Losing it hides the mark until the
    // keyboard is used again.
    void focusChanged(bool focused);
    // The keyboard is in use: the mark shows as soon as the row has the focus.
    void showFocusCues();

    // A key while the row has the focus; false when nothing took it.
    bool keyDown(const KeyPress& key);
    // Presses an item as the pointer would: its press at its middle, then, for the left
    // button, its click. While that runs, pressing() is the item: a menu it opens goes beside
    // the item rather than to the pointer.
    bool press(std::size_t index, MouseButton button);
    [[nodiscard]] const Image* pressing() const noexcept { return pressing_; }

    // The keyboard moved the current item; the row got or lost the focus.
    std::function<void()> onMove;
    std::function<void(bool focused)> onFocus;
    // The keys the row has no use for; true when the window took the key.
    std::function<bool(const KeyPress&)> onKey;

private:
    bool step(Key key);

    bool wholeWindow_;
    bool takesKeys_ = true;
    std::string accessibleName_;
    std::vector<RowItem> items_;
    std::optional<std::size_t> current_;
    bool focused_ = false;
    bool cues_ = false;
    const Image* pressing_ = nullptr;
};

}  // namespace quorvel::forms
