// The bar from the keyboard and to screen readers: the global key that brings it up, the row of
// its items that the arrows step through, and the names and values those items are read by.
#include <string>

#include "bar/bar_numbers.h"
#include "bar/dock.h"
#include "bar/dock_geometry.h"
#include "bar/item_names.h"
#include "settings/record_layout.h"

namespace quorvel::bar {

namespace {

// The image an item shows now: its built-in twin while that lies over it.
forms::Image* showing(forms::Image* item, forms::Image* builtin) {
    return builtin->left() == item->left() && builtin->top() == item->top() ? builtin : item;
}

constexpr int kDigitLinks = 10;  // 1..9, and 0 for the tenth

}  // namespace

void Dock::wireKeyboard() {
    setHotkey(kHotkey);
    onHotkey = [this] { HotKey(); };
    Items_->setAccessibleName(std::string(kAccessibleName));
    std::vector<forms::RowItem> items;
    items.push_back(fixedItem(ClsBtn_, ClsD_, names::kCloseButton));
    items.push_back(forms::RowItem{
        [this] { return TaskBUp_->visible() ? TaskBUp_ : TaskBDwn_; },
        [this] {
            return std::string(TaskBUp_->visible() ? names::kShowTaskbar : names::kHideTaskbar);
        },
        {}});
    items.push_back(fixedItem(ImgMC_, MCD_, names::kMyComputer));
    items.push_back(fixedItem(ImgMD_, MDD_, names::kMyDocuments));
    items.push_back(forms::RowItem{
        [this] {
            return ImgRBinFll_->visible() ? showing(ImgRBinFll_, RBFD_)
                                          : showing(ImgRBinEmp_, RBED_);
        },
        [] { return std::string(names::kRecycleBin); },
        [this] {
            return std::string(ImgRBinFll_->visible() ? names::kBinNotEmpty : names::kBinEmpty);
        }});
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        items.push_back(slotItem(n));
    }
    Items_->setItems(std::move(items));
    Items_->onMove = [this] { showCurrentName(); };
    Items_->onFocus = [this](bool focused) { Items_Focus(focused); };
    Items_->onKey = [this](const forms::KeyPress& key) { return Items_KeyDown(key); };
}

forms::RowItem Dock::fixedItem(forms::Image* item, forms::Image* builtin,
                               std::string_view name) const {
    return forms::RowItem{[item, builtin] { return showing(item, builtin); },
                          [name] { return std::string(name); },
                          {}};
}

forms::RowItem Dock::slotItem(int n) const {
    forms::Image* image = slots_[static_cast<std::size_t>(n - 1)];
    const settings::LinkSlot& slot = model_.L[static_cast<std::size_t>(n - 1)];
    return forms::RowItem{[this, n, image] { return slotShown(n) ? image : nullptr; },
                          // A link without a name is still a link: it is called by its number.
                          [n, &slot] { return slot.N.empty() ? settings::slotCaption(n) : slot.N; },
                          {}};
}

// A slot is on the bar when at least half of it lies within the bar's full width, and there is
// something to it: an empty slot is a gap, which the keyboard steps over.
bool Dock::slotShown(int n) const {
    const settings::LinkSlot& slot = model_.L[static_cast<std::size_t>(n - 1)];
    if (slot.T.empty() && slot.N.empty() && slot.I.empty() && slot.P.empty()) {
        return false;
    }
    const forms::Rect r = geometry::slotRect(n);
    return r.left + r.width / 2 < fullWidthOf(model_.FWdth);
}

std::size_t Dock::firstLinkOrItem() const {
    for (std::size_t i = kFixedItemCount; i < Items_->items().size(); ++i) {
        if (Items_->imageOf(i) != nullptr) {
            return i;
        }
    }
    return 0;
}

void Dock::HotKey() {
    // Folded by its close button (or folding still), the bar opens as its open button opens
    // it; one that is closing for a set switch comes back by itself with the new set.
    using After = window_api::SwitchPanel::AfterClosing;
    if (window_api::SwitchPanel* panel = windows_.switchPanelIfLoaded()) {
        const bool closing = panel->closing();
        if (closing ? panel->afterClosing() == After::StayClosed : !visible()) {
            panel->cmdDLrg(fullWidthOf(model_.FWdth));
        }
    }
    if (!Items_->current()) {
        Items_->setCurrent(firstLinkOrItem());
    }
    Items_->showFocusCues();
    // Brought forward as any window that is opened a second time comes forward: a bar that is
    // not top-most stays so, and other windows may cover it again later.
    bringToFront();
    if (Items_->focused()) {
        showCurrentName();
    }
}

void Dock::Items_Focus(bool focused) {
    // A click that gave the bar the focus shows nothing new; the global key shows the name.
    if (focused && Items_->showsFocus()) {
        showCurrentName();
    }
}

// The name beside the bar, exactly as the pointer resting on the item shows it.
void Dock::showCurrentName() {
    forms::Image* image = Items_->currentImage();
    if (image != nullptr && image->events.onMouseMove) {
        image->events.onMouseMove(forms::Point{image->width() / 2, image->height() / 2});
    }
}

bool Dock::Items_KeyDown(const forms::KeyPress& key) {
    if (key.key == forms::Key::Escape) {
        handBackFocus();
        return true;
    }
    if (key.key != forms::Key::Digit) {
        return false;
    }
    // 1..9 open the first nine links, 0 the tenth, as a click on them does.
    const int n = key.digit == 0 ? kDigitLinks : key.digit;
    const std::size_t index = kFixedItemCount + static_cast<std::size_t>(n - 1);
    if (Items_->imageOf(index) == nullptr) {
        return false;
    }
    Items_->setCurrent(index);
    return Items_->press(index, forms::MouseButton::Left);
}

void Dock::popUpMenu() {
    const forms::Image* item = Items_->pressing();
    if (item == nullptr) {
        windows_.menu().popUp();
        return;
    }
    // The menu opens beside the item, not wherever the pointer happens to rest; when it has
    // closed the keyboard comes back to the bar. A window the chosen entry opened comes
    // forward after the bar, and so keeps the keyboard.
    windows_.menu().popUp(
        forms::Rect{left() + item->left(), top() + item->top(), item->width(), item->height()});
    bringToFront();
}

}  // namespace quorvel::bar
