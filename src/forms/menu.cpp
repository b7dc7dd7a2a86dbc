#include "forms/menu.h"

#include <stdexcept>
#include <utility>

#include "forms/assign.h"
#include "forms/form.h"

namespace quorvel::forms {

MenuItem::MenuItem(Form& owner, std::string name, std::string caption, Kind kind)
    : owner_(owner), name_(std::move(name)), caption_(std::move(caption)), kind_(kind) {}

void MenuItem::setCaption(std::string c) {
    if (assign(caption_, std::move(c))) {
        owner_.touch();
    }
}

void MenuItem::setVisible(bool v) {
    if (assign(visible_, v)) {
        owner_.touch();
    }
}

void MenuItem::setEnabled(bool e) {
    if (assign(enabled_, e)) {
        owner_.touch();
    }
}

void MenuItem::setChecked(bool c) {
    if (assign(checked_, c)) {
        owner_.touch();
    }
}

MenuItem& MenuItem::addChild(std::string name, std::string caption, Kind kind) {
    children_.push_back(
        std::make_unique<MenuItem>(owner_, std::move(name), std::move(caption), kind));
    owner_.touch();
    return *children_.back();
}

MenuItem* MenuItem::find(std::string_view name) noexcept {
    if (name_ == name) {
        return this;
    }
    for (const auto& child : children_) {
        if (MenuItem* found = child->find(name)) {
            return found;
        }
    }
    return nullptr;
}

void MenuItem::click() const {
    if (onClick) {
        onClick();
    }
}

void buildMenus(Form& form, std::span<const MenuRow> rows) {
    std::vector<MenuItem*> open;  // the latest entry of each depth
    for (const MenuRow& row : rows) {
        if (row.depth < 0 || static_cast<std::size_t>(row.depth) > open.size()) {
            throw std::logic_error(form.name() +
                                   ": menu entry out of place: " + std::string(row.name));
        }
        open.resize(static_cast<std::size_t>(row.depth));
        const MenuItem::Kind kind =
            row.separator ? MenuItem::Kind::Separator : MenuItem::Kind::Entry;
        MenuItem& item =
            row.depth == 0
                ? form.addMenu(std::string(row.name), std::string(row.caption))
                : open.back()->addChild(std::string(row.name), std::string(row.caption), kind);
        item.setVisible(!row.hidden);
        open.push_back(&item);
    }
}

}  // namespace quorvel::forms
