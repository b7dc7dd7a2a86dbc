#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bar/dock.h"
#include "platform/sim/sim_platform.h"
#include "program/program.h"
#include "settings/save_preparation.h"
#include "settings/settings_files.h"
#include "settings/settings_model.h"
#include "window_api/storage_message.h"
#include "windows/frm_btn.h"
#include "windows/lnk_name.h"

namespace quorvel::testing {

// A bar program running against the simulated system: the user "taro" started it in C:\w on
// a 1280 x 1024 pixel screen (19200 x 15360 twips) with a 30-pixel taskbar at the bottom.
class BarFixture : public ::testing::Test {
protected:
    static constexpr const char* kCwd = "C:\\w";
    static constexpr const char* kUser = "taro";

    platform::sim::SimPlatform sim;
    // Where the settings files of that user are, spelt as the settings store spells them.
    const std::string usrData = settings::SettingsFiles(sim.disk, kCwd, kUser).folder();
    const std::string setsPath = settings::SettingsFiles(sim.disk, kCwd, kUser).setsPath();
    const std::string dockPath = settings::SettingsFiles(sim.disk, kCwd, kUser).dockPath();

    BarFixture() {
        sim.events.afterOutermost = [this] {
            if (program) {
                program->afterEvent();
            }
        };
    }

    // A launcher set as the settings window would leave it: links in slots 1..links, the bar
    // as wide as the first free slot, and every dock-wide field filled in.
    static settings::SettingsModel sampleSet(int links) {
        settings::SettingsModel m;
        for (int n = 1; n <= links; ++n) {
            auto& slot = m.L[n - 1];
            slot.T = "ﾌｧｲﾙ";
            slot.N = "リンク" + std::to_string(n);
            slot.I = "C:\\icons\\" + std::to_string(n) + ".ico";
            slot.P = "C:\\docs\\" + std::to_string(n) + ".txt";
        }
        m.FWdth = std::to_string(links == settings::kSlotCount ? settings::kFullBarWidth
                                                               : settings::slotLeft(links + 1));
        m.FTop = "する";
        m.Clr = "しない";
        m.BkStrch = "する";
        m.TaskB = "表示";
        m.DockPos = "上";
        m.FntName = "ＭＳ Ｐゴシック";
        m.FStyle = "標準";
        m.FrColor = "-2147483630";
        for (int k = 1; k <= settings::kSetCount; ++k) {
            m.LN[k - 1] = settings::defaultSetName(k);
        }
        return m;
    }

    // Writes the set as record n of sl.dat (and its dock-wide fields to dp.dat).
    void store(settings::SettingsModel m, int n) {
        sim.disk.addDirectory(usrData);
        m.RNo = std::to_string(n);
        auto written = settings::SettingsFiles(sim.disk, kCwd, kUser).write(m, n);
        ASSERT_TRUE(written.ok()) << window_api::storageMessage(written.error());
    }

    program::Program& start() {
        program = std::make_unique<program::Program>(sim.ports());
        sim.dispatch([this] { program->start(); });
        return *program;
    }

    // Starts and lets the opening animation run to its end.
    bar::Dock& startOpen() {
        start();
        sim.clock.advance(settle);
        return dock();
    }

    bar::Dock& dock() { return program->dock(); }
    settings::SettingsModel& model() { return dock().model(); }
    forms::Image& image(const char* name) { return dock().image(name); }
    windows::FrmBtn& panel() { return program->windows().frmBtn(); }
    windows::LnkName& popup() { return program->windows().lnkName(); }

    // A restart as another window asks for one, followed by the host's after-event step.
    void restart() {
        sim.dispatch([this] { dock().cmdReStart(); });
        sim.clock.advance(settle);
    }

    // A person's input as the host delivers it: each message is one event, with its after-event
    // step. Points are in the form's own twips.
    void userPress(forms::Form& form, forms::MouseButton button, forms::Point at) {
        sim.dispatch([&] { form.mouseDown(button, at); });
        sim.dispatch([&] { form.mouseUp(button, at); });
    }
    void userClick(forms::Form& form, forms::Point at) {
        userPress(form, forms::MouseButton::Left, at);
    }
    // `count` left clicks `gapMs` apart, each press stamped with the time as the system stamps
    // input: a person's double- and triple-clicks.
    void userClicks(forms::Form& form, forms::Point at, int count, std::uint64_t gapMs) {
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                sim.clock.advance(gapMs);
            }
            const auto time = static_cast<std::uint32_t>(sim.clock.now());
            sim.dispatch([&] { form.mouseDown(forms::MouseButton::Left, at, time); });
            sim.dispatch([&] { form.mouseUp(forms::MouseButton::Left, at); });
        }
    }
    void userMove(forms::Form& form, forms::Point at) {
        sim.dispatch([&] { form.mouseMove(at); });
    }

    static constexpr std::uint64_t settle = 200;  // ms: long enough for any open or close

    std::unique_ptr<program::Program> program;
};

inline forms::Point pos(const forms::Rect& r) {
    return forms::Point{r.left, r.top};
}

}  // namespace quorvel::testing
