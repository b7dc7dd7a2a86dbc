#pragma once

#include <string>

#include "menu/frm_menu.h"
#include "sim_bar_fixture.h"

namespace quorvel::testing {

// A bar with five links open on the simulated system, driven through its right-click menu.
class MenuFixture : public BarFixture {
protected:
    static constexpr forms::Point kMyComputer{400, 200};
    static constexpr forms::Point kRecycleBin{1600, 200};
    static constexpr forms::Point kBackground{2400, 660};  // bare background under the slots

    // The middle of slot n, clear of a separator standing over its edge.
    static forms::Point slotAt(int n) { return {settings::slotLeft(n) + 240, 300}; }

    void SetUp() override {
        auto set = sampleSet(5);
        set.SepIcn = "C:\\icons\\sep.bmp";
        store(set, 1);
        startOpen();
    }

    menu::FrmMenu& frmMenu() { return program->windows().frmMenu(); }

    // A right press on the bar at `at`, and the entry `entry` chosen from the menu it opens.
    void choose(const std::string& entry, forms::Point at = kBackground) {
        sim.windows.menuChoices = {entry};
        userPress(dock(), forms::MouseButton::Right, at);
    }

    // The settings as the files now hold them.
    settings::SettingsModel storedSet(int n) {
        return settings::SettingsFiles(sim.disk, kCwd, kUser).readSet(n).value();
    }
    settings::SettingsModel storedDock() {
        return settings::SettingsFiles(sim.disk, kCwd, kUser).readDock().value();
    }

    // The messages shown so far, in order.
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : sim.dialogs.messages) {
            texts.push_back(shown.text);
        }
        return texts;
    }
};

}  // namespace quorvel::testing
