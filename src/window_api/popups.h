#pragma once

#include <optional>
#include <string>

#include "forms/form.h"

namespace quorvel::window_api {

// What a press that may open the menu went down on; it decides the item-dependent entries.
enum class MenuSource {
    FirstSlot,    // IL1: there is no separator in front of the first link
    OtherSlot,    // IL2..IL17
    MyComputer,   // ImgMC, MCD
    MyDocuments,  // ImgMD, MDD
    RecycleBin,   // ImgRBinEmp, ImgRBinFll, RBED, RBFD
    Background,   // the bar's background, and the switch panel's set labels and button
};

// The bar's popup menu.
class Menu {
public:
    virtual ~Menu() = default;
    // Shows or hides the entries that depend on the pressed item.
    virtual void showEntriesFor(MenuSource source) = 0;
    // Pops the menu up at the pointer, or beside an item (its rectangle on the screen) for a
    // press the keyboard made; the chosen entry's command runs when it has closed.
    virtual void popUp(const std::optional<forms::Rect>& beside = std::nullopt) = 0;
};

// The name of the item under the pointer, next to the bar.
class NamePopup {
public:
    virtual ~NamePopup() = default;
    [[nodiscard]] virtual forms::Form& window() = 0;
    [[nodiscard]] virtual const std::string& name() const = 0;
    virtual void setName(std::string name) = 0;
    // Its hidden commands: show the name (sliding out where the bar is see-through), take it
    // away, and take the font and colour from the settings.
    virtual void Strt() = 0;
    virtual void Stp() = 0;
    virtual void LNmStyle() = 0;
    // The pointer moved again over the item whose name this holds.
    virtual void ShowAgain() = 0;
};

// The switch panel against the bar's left end, which also runs the bar's opening and closing.
class SwitchPanel {
public:
    virtual ~SwitchPanel() = default;
    // What follows the bar's closing: it stays closed (the close button), or the bar restarts
    // on the set now chosen.
    enum class AfterClosing { StayClosed, Restart };
    // Folded, the panel is one button; open, it reaches this far left of the bar.
    static constexpr forms::Twips kFoldedWidth = 225;
    static constexpr forms::Twips kOpenWidth = 1110;

    [[nodiscard]] virtual forms::Form& window() = 0;
    // Opens the bar from nothing to `fullWidth`.
    virtual void cmdDLrg(forms::Twips fullWidth) = 0;
    // Closes the bar.
    virtual void cmdDSml(AfterClosing after) = 0;
    // Whether the bar is closing now, and what its last closing ends in.
    [[nodiscard]] virtual bool closing() const = 0;
    [[nodiscard]] virtual AfterClosing afterClosing() const = 0;
};

// The settings window, as the bar's reload sees it when the window asked for that reload.
class SettingsWindow {
public:
    virtual ~SettingsWindow() = default;
    // Take the set the bar has just loaded, whether or not the person could press "リセット".
    virtual void cmdReset() = 0;
    // The set number the window shows.
    [[nodiscard]] virtual std::string launcherSetNumber() const = 0;
};

}  // namespace quorvel::window_api
