#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "forms/form.h"
#include "settings/settings_model.h"

namespace quorvel::window_api {

// What the settings window's save hands the bar: the set it stored, under which number, and
// what the save decided for the bar's width and separators.
struct SavedSet {
    std::string number;
    std::array<std::string, settings::kSetCount> names;
    std::string width;
    std::array<std::string, settings::kSeparatorCount> separators;
};

// What the other windows may ask of the bar. The bar owns the settings: the others read them
// here and change them only through these calls, each of which saves and restarts the bar as
// the change needs.
class Bar {
public:
    virtual ~Bar() = default;

    // The settings the bar shows now.
    [[nodiscard]] virtual const settings::SettingsModel& settings() const = 0;
    // Record number of the set the bar holds (0 after first-start defaults).
    [[nodiscard]] virtual int currentSetNumber() const = 0;
    // The last load could not read the set the bar shows; no save may write over it.
    [[nodiscard]] virtual bool setUnread() const = 0;
    // The bar's window, for placing and stacking other windows against it.
    [[nodiscard]] virtual const forms::Form& window() const = 0;

    // Its hidden commands.
    virtual void cmdReStart() = 0;
    // True when both settings files were written; otherwise the bar has said why.
    virtual bool cmdDsSave() = 0;
    virtual void cndEnd() = 0;
    virtual void cmdBarVis() = 0;

    // The opening and closing animation, which the switch panel runs on the bar's window.
    virtual void setWindowWidth(forms::Twips width) = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Stacks the bar afresh as its set wants it, without showing it.
    virtual void restackWindow() = 0;

    // The Recycle Bin's item count as another window learnt it (txtRBin).
    virtual void setBinCount(std::int64_t items) = 0;

    // The menu's quick edits. Each changes the settings in memory and applies them; those that
    // keep their change save it, and a save that fails keeps the bar as the person set it.
    virtual void SepIn() = 0;
    virtual void LnchPos() = 0;
    // The background picture: the transparency and stretch chosen before the picture, then the
    // picture itself (a picture never chosen leaves the first change unsaved in memory).
    virtual void prepareBackground(bool transparent) = 0;
    virtual void setBackgroundPicture(std::string path) = 0;
    virtual void NoBkClr() = 0;
    virtual void DClr() = 0;
    virtual void BStrch() = 0;
    virtual void TBar() = 0;
    // A set chosen from the menu: the bar closes and comes back with it, and the settings
    // window opened next starts on it.
    virtual void switchToSet(int n) = 0;
    // A set chosen on the switch panel: the restart that ends the panel's closing animation
    // brings it.
    virtual void chooseSet(int n) = 0;

    // The settings window's side. Its menu choice of a set, used up by the window that opens.
    [[nodiscard]] virtual std::string takeMenuSetChoice() = 0;
    // The window stored a set: the bar takes its names (and its width and separators when it
    // shows that set) and restarts on it.
    virtual void settingsWindowSaved(const SavedSet& saved) = 0;
    // The window switched to another set: the bar restarts on it and the window follows.
    virtual void switchForSettingsWindow(const std::string& number) = 0;
};

}  // namespace quorvel::window_api
