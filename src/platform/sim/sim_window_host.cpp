#include "platform/sim/sim_window_host.h"

#include <stdexcept>
#include <utility>

namespace quorvel::platform::sim {

void SimWindowHost::formCreated(forms::Form& form) {
    log_.add("formCreated " + form.name());
    live_.emplace(form.name(), &form);
    ++creations_[form.name()];
    // Only what the window asks for once it exists counts, as for a real window.
    applied_[&form] = Requests{form.activationSerial(), form.focusReturnSerial(), false};
}

void SimWindowHost::formDestroyed(forms::Form& form) {
    log_.add("formDestroyed " + form.name());
    applied_.erase(&form);
    if (focused_ == &form) {
        focused_ = nullptr;  // a window that goes takes no handler calls any more
    }
    auto [first, last] = live_.equal_range(form.name());
    for (auto it = first; it != last; ++it) {
        if (it->second == &form) {
            live_.erase(it);
            return;
        }
    }
}

namespace {

void describe(const forms::MenuItem& item, int depth, std::vector<std::string>& lines) {
    for (const auto& child : item.children()) {
        if (!child->visible()) {
            continue;
        }
        std::string line(static_cast<std::size_t>(depth) * 2, ' ');
        if (child->separator()) {
            lines.push_back(line + "----");
            continue;
        }
        line += child->caption();
        if (!child->children().empty()) {
            line += " >";
        }
        if (child->checked()) {
            line += " [checked]";
        }
        if (!child->enabled()) {
            line += " [disabled]";
        }
        lines.push_back(std::move(line));
        describe(*child, depth + 1, lines);
    }
}

// The entry of that name as the user can reach it: shown and enabled all the way down.
forms::MenuItem* reachable(const forms::MenuItem& menu, const std::string& name) {
    for (const auto& child : menu.children()) {
        if (!child->visible() || !child->enabled() || child->separator()) {
            continue;
        }
        if (child->name() == name) {
            return child->children().empty() ? child.get() : nullptr;
        }
        if (forms::MenuItem* found = reachable(*child, name)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

forms::MenuItem* SimWindowHost::popupMenu(forms::Form& owner, forms::MenuItem& menu,
                                          const std::optional<forms::Rect>& beside) {
    log_.add("popupMenu " + owner.name() + "." + menu.name());
    ShownMenu shown{owner.name(), menu.name(), {}, beside};
    describe(menu, 0, shown.lines);
    menusShown.push_back(std::move(shown));
    std::string choice;
    if (!menuChoices.empty()) {
        choice = menuChoices.front();
        menuChoices.pop_front();
    } else if (chooseMenuEntry) {
        choice = chooseMenuEntry(menu);
    }
    if (choice.empty()) {
        return nullptr;
    }
    forms::MenuItem* chosen = reachable(menu, choice);
    if (chosen == nullptr) {
        throw std::logic_error("the user cannot choose " + choice + " in this menu");
    }
    log_.add("menuChosen " + choice);
    return chosen;
}

forms::Size SimWindowHost::windowSize(const forms::Form& form) {
    if (form.style() != forms::FormStyle::Dialog) {
        return forms::Size{form.width(), form.height()};
    }
    return forms::Size{
        form.width() + 2 * kDialogBorder,
        form.height() + kTitleBar + (form.menuBar() ? kMenuBar : 0) + 2 * kDialogBorder};
}

void SimWindowHost::updateNow() {
    std::string shown;
    for (const auto& [name, form] : live_) {
        if (form->visible()) {
            shown += (shown.empty() ? "" : ",") + name;
        }
    }
    log_.add("updateNow shown=" + shown);
}

void SimWindowHost::moveFocus(forms::Form* to) {
    if (focused_ == to) {
        return;
    }
    forms::Form* from = std::exchange(focused_, to);
    if (from != nullptr) {
        if (forms::ItemRow* row = from->windowRow()) {
            row->focusChanged(false);
        }
    }
    if (to != nullptr) {
        if (forms::ItemRow* row = to->windowRow()) {
            row->focusChanged(true);
        }
    }
}

void SimWindowHost::sync() {
    ++syncs_;
    // By a copy: a focus handler may make or unload windows.
    std::vector<forms::Form*> forms;
    for (const auto& [name, form] : live_) {
        forms.push_back(form);
    }
    for (forms::Form* form : forms) {
        auto found = applied_.find(form);
        if (found == applied_.end()) {
            continue;
        }
        Requests& applied = found->second;
        const bool appears = form->visible() && !applied.visible;
        const bool asked = applied.activation != form->activationSerial();
        const bool handsBack = applied.focusReturn != form->focusReturnSerial();
        applied = Requests{form->activationSerial(), form->focusReturnSerial(), form->visible()};
        if (form->visible() && (asked || (appears && form->style() == forms::FormStyle::Dialog))) {
            moveFocus(form);
        } else if (focused_ == form && (handsBack || !form->visible())) {
            moveFocus(nullptr);
        }
    }
}

forms::Form* SimWindowHost::live(const std::string& name) const {
    auto it = live_.find(name);
    return it == live_.end() ? nullptr : it->second;
}

int SimWindowHost::creations(const std::string& name) const {
    auto it = creations_.find(name);
    return it == creations_.end() ? 0 : it->second;
}

}  // namespace quorvel::platform::sim
