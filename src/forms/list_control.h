#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/native_control.h"

namespace quorvel::forms {

// The common part of the drop-down list and the list box: fixed items and one selection
// (-1: none). Selecting another item, by the program or by the person, runs onClick once;
// selecting the item that is already selected runs nothing.
class ListControl : public NativeControl {
public:
    ListControl(Form& owner, std::string name, ControlKind kind, Rect bounds, int tabIndex);

    [[nodiscard]] const std::vector<std::string>& items() const noexcept { return items_; }
    // New items leave nothing selected (and fire nothing).
    void setItems(std::vector<std::string> items);

    [[nodiscard]] int listIndex() const noexcept { return listIndex_; }
    // An index outside the items selects nothing.
    void setListIndex(int index);
    // The selected item's text; empty with nothing selected.
    [[nodiscard]] std::string text() const;
    // Selects the item with exactly this text, or nothing when no item has it.
    void setText(const std::string& text);

    // The person picked item `index`. Ignored while the control takes no input or when the
    // index names no item.
    bool choose(int index);

    std::function<void()> onClick;

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

// A drop-down list of fixed items (the person cannot type a value of their own).
class ComboBox final : public ListControl {
public:
    ComboBox(Form& owner, std::string name, Rect bounds, int tabIndex);
};

// A list of items that stays open; a double-click (or Enter) activates an item.
class ListBox final : public ListControl {
public:
    ListBox(Form& owner, std::string name, Rect bounds, int tabIndex);

    // The person double-clicked item `index`: it is chosen, then activated.
    bool activate(int index);

    std::function<void()> onDblClick;
};

}  // namespace quorvel::forms
