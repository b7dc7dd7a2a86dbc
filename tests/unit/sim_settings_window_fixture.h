#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "found.h"
#include "settings_window/frm_dir_box.h"
#include "settings_window/frm_set.h"
#include "sim_bar_fixture.h"

namespace quorvel::testing {

// The bar running on set 1 of five links (unless a test stores something else first), and the
// settings window opened from it as the menu opens it. The person's input goes through the
// controls' own entry points, one event each, as the host delivers it.
class SettingsWindowFixture : public BarFixture {
protected:
    settings_window::FrmSet& open() {
        sim.dispatch([this] { program->windows().frmSet(); });
        return win();
    }
    // The bar with `links` links on set 1, then the window.
    settings_window::FrmSet& startWith(int links) {
        store(sampleSet(links), 1);
        startOpen();
        return open();
    }

    settings_window::FrmSet& win() {
        return present(program->windows().frmSetIfLoaded(), "settings window");
    }
    [[nodiscard]] bool windowOpen() { return program->windows().frmSetIfLoaded() != nullptr; }
    settings_window::FrmDirBox* chooser() { return program->windows().frmDirBoxIfLoaded(); }

    void click(const char* image) { userClick(win(), pos(win().image(image).bounds())); }
    void clickSlot(int n) { click(("IL" + std::to_string(n)).c_str()); }
    void type(const char* box, const std::string& text) {
        sim.dispatch([&] { win().textBox(box).typeText(text); });
    }
    // Picks the item with this text from a drop-down list; false when there is none.
    bool choose(forms::Form& form, const char* list, const std::string& item) {
        forms::ListControl& control = form.get<forms::ListControl>(list);
        const auto& items = control.items();
        const auto found = std::find(items.begin(), items.end(), item);
        if (found == items.end()) {
            return false;
        }
        const int index = static_cast<int>(found - items.begin());
        return sim.dispatch([&] { return control.choose(index); });
    }
    bool choose(const char* list, const std::string& item) { return choose(win(), list, item); }
    void press(forms::Form& form, const char* button) {
        sim.dispatch([&] { form.button(button).press(); });
    }
    void press(const char* button) { press(win(), button); }

    std::string field(const char* name) { return win().field(name); }
    std::string slotField(int n, char kind) {
        return win().field("L" + std::to_string(n) + std::string(1, kind));
    }
    [[nodiscard]] bool saved() { return field("SvChk") == "1"; }
    forms::Point marker() { return pos(win().image("LkUp").bounds()); }
    // The bar's place in the miniature screen, as an offset within it.
    forms::Twips previewTop() {
        return win().image("Image2").top() - win().image("Picture1").top();
    }

    // A field as sl.dat holds it for set n (or dp.dat for a dock-wide field), without its
    // padding; "<none>" when the set is not stored.
    std::string stored(int n, const char* name) {
        settings::SettingsFiles files(sim.disk, kCwd, kUser);
        auto count = files.countSets();
        if (!count.ok() || count.value() < n) {
            return "<none>";
        }
        auto set = files.readSet(n);
        auto dock = files.readDock();
        if (!set.ok() || !dock.ok()) {
            return "<unreadable>";
        }
        const std::string* value = settings::storedField(set.value(), name);
        const std::string* dockValue = settings::storedField(dock.value(), name);
        const bool dockWide =
            std::string_view(name) == "TaskB" || std::string_view(name) == "DockPos" ||
            std::string_view(name) == "FntName" || std::string_view(name) == "FStyle" ||
            std::string_view(name) == "FrColor";
        return settings::trimRight(dockWide ? *dockValue : *value);
    }

    static constexpr const char* kNotSavedQuestion = "設定が保存されていません。\r保存しますか？";
};

}  // namespace quorvel::testing
