#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// Keeps track of which forms exist, as the real host keeps one window per live form.
class SimWindowHost final : public forms::WindowHost {
public:
    explicit SimWindowHost(CallLog& log) : log_(log) {}

    void formCreated(forms::Form& form) override;
    void formDestroyed(forms::Form& form) override;
    forms::MenuItem* popupMenu(forms::Form& owner, forms::MenuItem& menu,
                               const std::optional<forms::Rect>& beside) override;
    forms::Size windowSize(const forms::Form& form) override;
    forms::DoubleClickLimits doubleClickLimits() override { return doubleClick; }
    // Logs "updateNow shown=<the visible forms, by name>".
    void updateNow() override;

    // The frame a dialog window gets around its client area, as the simulated system draws it.
    static constexpr forms::Twips kDialogBorder = 60;  // each side and the bottom
    static constexpr forms::Twips kTitleBar = 345;
    static constexpr forms::Twips kMenuBar = 300;

    // The system's double-click settings, as the person left them.
    forms::DoubleClickLimits doubleClick;

    // A popup menu as the user saw it: one line per visible entry, indented two spaces per
    // level, a submenu ending in " >", then " [checked]" and " [disabled]" where they apply; a
    // separator is "----".
    struct ShownMenu {
        std::string owner;
        std::string menu;
        std::vector<std::string> lines;
        std::optional<forms::Rect> beside;  // the item it opened beside; none: at the pointer
    };
    std::vector<ShownMenu> menusShown;
    // What the user picks in the next menus, by entry name; "" (or nothing left) dismisses the
    // menu. Picking an entry the user could not reach (hidden, disabled, a submenu) is a
    // mistake of the test and throws.
    std::deque<std::string> menuChoices;
    // Asked when menuChoices is empty: the entry to pick in the menu as the user now sees it,
    // "" to dismiss it. A test that explores at random chooses here among what is reachable.
    std::function<std::string(const forms::MenuItem& menu)> chooseMenuEntry;

    // The live form of that name, or null.
    [[nodiscard]] forms::Form* live(const std::string& name) const;
    // How many forms of that name have been created so far.
    [[nodiscard]] int creations(const std::string& name) const;
    [[nodiscard]] int liveCount() const noexcept { return static_cast<int>(live_.size()); }
    [[nodiscard]] int liveCount(const std::string& name) const {
        return static_cast<int>(live_.count(name));
    }

    // The after-event step's "bring every window up to date": the simulation has no screen to
    // update, so it counts the steps and moves the keyboard focus as the system would.
    void sync();
    [[nodiscard]] int syncs() const noexcept { return syncs_; }

    // The window with the keyboard focus, or null while another program has it. A window takes
    // the focus when it asks to come forward, and a dialog also when it appears; it loses it
    // to another program when it hands it back, is hidden or goes. Moving the focus tells the
    // windows' own item rows, as the real host does.
    [[nodiscard]] forms::Form* focused() const noexcept { return focused_; }

private:
    struct Requests {
        std::uint64_t activation = 0;
        std::uint64_t focusReturn = 0;
        bool visible = false;
    };
    void moveFocus(forms::Form* to);

    CallLog& log_;
    forms::Form* focused_ = nullptr;
    std::map<const forms::Form*, Requests> applied_;
    std::multimap<std::string, forms::Form*> live_;
    std::map<std::string, int> creations_;
    int syncs_ = 0;
};

}  // namespace quorvel::platform::sim
