// Every save, failed or cut off at every one of its steps in turn: the bar's save, the settings
// window's save, the menu's separator edit and quorvel-settings import, each from many random
// starting files and edits. After a failure both files hold their old or their new bytes, the
// program says so and saves fine once the cause is gone; after a power cut both files hold their
// old or new bytes and the bar starts on them.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bar/dock.h"
#include "commands.h"
#include "found.h"
#include "platform/sim/sim_platform.h"
#include "program/program.h"
#include "settings/record_layout.h"
#include "settings/settings_files.h"
#include "settings_json.h"
#include "settings_window/frm_set.h"
#include "support/fault_disk.h"
#include "support/random_settings.h"
#include "window_api/messages.h"
#include "window_api/storage_message.h"

namespace quorvel::testing {
namespace {

constexpr const char* kCwd = "C:\\w";
constexpr const char* kUser = "taro";

using Bytes = std::optional<std::string>;

struct Files {
    Bytes dock;
    Bytes sets;
    bool operator==(const Files&) const = default;
};

settings::SettingsFiles store(platform::FileSystem& disk) {
    return settings::SettingsFiles(disk, kCwd, kUser);
}

Files filesOn(FaultDisk& disk) {
    return {disk.fileBytes(store(disk).dockPath()), disk.fileBytes(store(disk).setsPath())};
}

std::string describe(const Bytes& bytes) {
    return bytes ? std::to_string(bytes->size()) + " bytes" : "missing";
}

// Settings files as a person may have them: up to four sets (now and then with a gap left by
// a higher set saved first), or none at all.
void arrangeOldFiles(FaultDisk& disk, Random& random) {
    platform::sim::SimFileSystem scratch;
    settings::SettingsFiles files = store(scratch);
    scratch.addDirectory(files.folder());
    disk.addDirectory(files.folder());
    const int sets = between(random, 0, settings::kSetCount);
    for (int n = 1; n <= sets; ++n) {
        if (n < sets && chance(random, 0.15)) {
            continue;  // a never-written record
        }
        settings::SettingsModel m = randomSet(random, between(random, 0, settings::kSlotCount));
        m.RNo = std::to_string(n);
        ASSERT_TRUE(files.write(m, n).ok());
    }
    for (const std::string& path : {files.dockPath(), files.setsPath()}) {
        if (auto bytes = scratch.fileBytes(path)) {
            disk.addFile(path, *bytes);
        }
    }
}

// One way of saving, run from a seed: it lays out the old files, gets the program (or the tool)
// to where the save is one step away, and saves.
class Scenario {
public:
    virtual ~Scenario() = default;
    // Lays out the files and gets ready; nothing of it is a fault point.
    virtual void prepare(FaultDisk& disk, Random& random) = 0;
    // The save itself; true when it reported success.
    virtual bool save() = 0;
    // After a save that did not report success: the person was told, and the program is still
    // there to try again.
    virtual void expectReported() = 0;
    // The same save once more, with the cause gone; true when it reported success.
    virtual bool retry() { return save(); }
};

// The bar (and its windows) on the simulated system, with its files on the given disk.
class BarOnDisk {
public:
    explicit BarOnDisk(FaultDisk& disk)
        : ports_{sim.identity, disk,        sim.instance, sim.screen, sim.dialogs, sim.folders,
                 sim.pictures, sim.process, sim.windows,  sim.clock,  sim.shell,   sim.cleanup} {
        sim.events.afterOutermost = [this] {
            if (program) {
                program->afterEvent();
            }
        };
    }

    void start() {
        program = std::make_unique<program::Program>(ports_);
        sim.dispatch([this] { program->start(); });
        sim.clock.advance(kSettle);
    }
    bar::Dock& dock() { return program->dock(); }
    [[nodiscard]] std::size_t messages() const { return sim.dialogs.messages.size(); }
    [[nodiscard]] bool lastMessageSays(std::string_view text) const {
        return !sim.dialogs.messages.empty() &&
               sim.dialogs.messages.back().text.find(text) != std::string::npos;
    }

    static constexpr std::uint64_t kSettle = 200;

    platform::sim::SimPlatform sim;
    std::unique_ptr<program::Program> program;

private:
    platform::Ports ports_;
};

// The bar's own save (cmdDsSave, as the menu's quick edits press it), after the person moved
// to a random set and changed a few things.
class BarSave final : public Scenario {
public:
    explicit BarSave(FaultDisk& disk) : bar_(disk) {}

    void prepare(FaultDisk& disk, Random& random) override {
        arrangeOldFiles(disk, random);
        bar_.start();
        settings::SettingsModel& m = bar_.dock().model();
        if (chance(random, 0.5)) {
            m.RNo = std::to_string(between(random, 1, settings::kSetCount));
            bar_.sim.dispatch([this] { bar_.dock().cmdReStart(); });
            bar_.sim.clock.advance(BarOnDisk::kSettle);
        }
        const settings::SettingsModel edits = randomSet(random, between(random, 0, 17));
        for (int n = 0; n < settings::kSlotCount; ++n) {
            if (chance(random, 0.3)) {
                m.L[static_cast<std::size_t>(n)] = edits.L[static_cast<std::size_t>(n)];
            }
        }
        m.TaskB = edits.TaskB;
        m.DockPos = edits.DockPos;
        m.LN = edits.LN;
    }
    bool save() override {
        before_ = bar_.messages();
        bar_.sim.dispatch([this] { bar_.dock().cmdDsSave(); });
        return bar_.messages() == before_;
    }
    void expectReported() override {
        EXPECT_GT(bar_.messages(), before_);
        EXPECT_TRUE(bar_.lastMessageSays(messages::kCannotSave));
        EXPECT_TRUE(bar_.dock().visible());
    }

private:
    BarOnDisk bar_;
    std::size_t before_ = 0;
};

// The settings window's save ("保存") after edits typed into it.
class WindowSave final : public Scenario {
public:
    explicit WindowSave(FaultDisk& disk) : bar_(disk) {}

    void prepare(FaultDisk& disk, Random& random) override {
        arrangeOldFiles(disk, random);
        bar_.start();
        bar_.sim.dispatch([this] { bar_.program->windows().frmSet(); });
        settings_window::FrmSet& win = window();
        const int edits = between(random, 1, 4);
        for (int i = 0; i < edits; ++i) {
            const int slot = between(random, 1, settings::kSlotCount);
            const forms::Rect item = win.image("IL" + std::to_string(slot)).bounds();
            bar_.sim.dispatch([&] {
                win.mouseDown(forms::MouseButton::Left, {item.left, item.top});
            });
            bar_.sim.dispatch([&] {
                win.mouseUp(forms::MouseButton::Left, {item.left, item.top});
            });
            // Names and paths that fit their fields: the window refuses the others unsaved.
            const std::string name = std::string(chance(random, 0.5) ? "メモ帳" : "ﾒｰﾙ");
            const std::string path = chance(random, 0.5) ? "notepad.exe" : "C:\\メモ\\予定.txt";
            bar_.sim.dispatch([&] { win.textBox("LN").typeText(name); });
            bar_.sim.dispatch([&] { win.textBox("LP").typeText(path); });
        }
        if (chance(random, 0.5)) {
            forms::ComboBox& pos = win.comboBox("DockPos");
            bar_.sim.dispatch([&] { pos.choose(between(random, 0, 1)); });
        }
    }
    bool save() override {
        before_ = bar_.messages();
        bar_.sim.dispatch([this] { window().button("Command22").press(); });
        bar_.sim.clock.advance(BarOnDisk::kSettle);
        return window().field("SvChk") == "1";
    }
    void expectReported() override {
        EXPECT_GT(bar_.messages(), before_);
        ASSERT_NE(bar_.program->windows().frmSetIfLoaded(), nullptr);
        EXPECT_NE(window().field("SvChk"), "1");  // the edits are kept, unsaved
    }

private:
    settings_window::FrmSet& window() {
        return present(bar_.program->windows().frmSetIfLoaded(), "settings window");
    }

    BarOnDisk bar_;
    std::size_t before_ = 0;
};

// The menu's "このアイコンの前にセパレータを入れる" on a link of a stored set: the separator
// goes in (or out) and the bar saves at once.
class SeparatorSave final : public Scenario {
public:
    explicit SeparatorSave(FaultDisk& disk) : bar_(disk) {}

    void prepare(FaultDisk& disk, Random& random) override {
        // A stored set 1 of a few links, beside whatever else the person had.
        arrangeOldFiles(disk, random);
        platform::sim::SimFileSystem scratch;
        settings::SettingsModel set = randomSet(random, between(random, 3, settings::kSlotCount));
        set.RNo = "1";
        set.SepIcn = "C:\\icons\\sep.bmp";  // the entry is offered only with a separator picture
        settings::SettingsFiles files = store(scratch);
        scratch.addDirectory(files.folder());
        if (auto old = disk.fileBytes(files.setsPath())) {
            scratch.addFile(files.setsPath(), *old);
        }
        ASSERT_TRUE(files.write(set, 1).ok());
        disk.addFile(files.dockPath(), present(scratch.fileBytes(files.dockPath()), "dock file"));
        disk.addFile(files.setsPath(), present(scratch.fileBytes(files.setsPath()), "sets file"));
        bar_.start();
        slot_ = between(random, 2, 3);
    }
    bool save() override {
        before_ = bar_.messages();
        const forms::Rect item = bar_.dock().slotImage(slot_).bounds();
        const forms::Point at{item.left + item.width / 2, item.top + item.height / 2};
        bar_.sim.windows.menuChoices.push_back("SepIn");
        bar_.sim.dispatch([&] { bar_.dock().mouseDown(forms::MouseButton::Right, at); });
        bar_.sim.dispatch([&] { bar_.dock().mouseUp(forms::MouseButton::Right, at); });
        return bar_.messages() == before_;
    }
    void expectReported() override {
        EXPECT_GT(bar_.messages(), before_);
        EXPECT_TRUE(bar_.lastMessageSays(messages::kCannotSave));
        EXPECT_TRUE(bar_.dock().visible());
    }
    // The separator stays as the person set it; the next save of the bar stores it (a second
    // press of the entry would take it out again).
    bool retry() override {
        before_ = bar_.messages();
        bar_.sim.dispatch([this] { bar_.dock().cmdDsSave(); });
        return bar_.messages() == before_;
    }

private:
    BarOnDisk bar_;
    int slot_ = 2;
    std::size_t before_ = 0;
};

// quorvel-settings import of a whole set.
class ToolImport final : public Scenario {
public:
    explicit ToolImport(FaultDisk& disk) : disk_(disk) {}

    void prepare(FaultDisk& disk, Random& random) override {
        arrangeOldFiles(disk, random);
        set_ = between(random, 1, settings::kSetCount);
        settings::SettingsModel m = randomSet(random, between(random, 0, settings::kSlotCount));
        m.RNo = std::to_string(set_);
        nlohmann::ordered_json input;
        input["dock"] = tools::fieldsToJson(m, settings::dockRecordLayout());
        input["set"] = tools::fieldsToJson(m, settings::setRecordLayout());
        input_ = input.dump();
    }
    bool save() override {
        std::istringstream in(input_);
        err_.str("");
        code_ = tools::importSettings(disk_, tools::Target{kCwd, kUser}, set_, in, err_);
        return code_ == tools::kExitOk;
    }
    void expectReported() override {
        EXPECT_EQ(code_, tools::kExitFailed);
        EXPECT_NE(err_.str().find(messages::kCannotSave), std::string::npos) << err_.str();
    }

private:
    FaultDisk& disk_;
    int set_ = 1;
    std::string input_;
    std::ostringstream err_;
    int code_ = -1;
};

using Make = std::function<std::unique_ptr<Scenario>(FaultDisk&)>;

// What one run of a scenario from one seed left behind.
struct Run {
    Files before;
    Files after;
    int firstStep = 0;  // the save's first step
    int steps = 0;      // how many it took
    bool reportedSuccess = false;
};

Run runScenario(const Make& make, std::uint64_t seed,
                const std::function<void(FaultDisk&, int firstStep)>& arm,
                std::unique_ptr<Scenario>* keep, FaultDisk& disk) {
    Random random(seed);
    auto scenario = make(disk);
    Run run;
    scenario->prepare(disk, random);
    disk.sync();  // whatever the start wrote has long been on the disk
    run.before = filesOn(disk);
    run.firstStep = disk.steps() + 1;
    arm(disk, run.firstStep);
    run.reportedSuccess = scenario->save();
    run.steps = disk.steps() - run.firstStep + 1;
    run.after = filesOn(disk);
    *keep = std::move(scenario);
    return run;
}

// A file that did not exist may be left empty by a save that did not finish: every reader
// takes an empty file exactly as a missing one (no sets, empty fields), and the bar's own
// start makes the empty sl.dat anyway.
bool sameContents(const Bytes& a, const Bytes& b) {
    return a.value_or(std::string()) == b.value_or(std::string());
}

void expectOldOrNew(const Bytes& actual, const Bytes& old, const Bytes& wanted,
                    const std::string& what) {
    EXPECT_TRUE(sameContents(actual, old) || actual == wanted)
        << what << " is " << describe(actual) << ", neither the old " << describe(old)
        << " nor the new " << describe(wanted);
}

// The readers take whatever is there without an error.
void expectReadable(platform::FileSystem& disk) {
    settings::SettingsFiles files = store(disk);
    auto count = files.countSets();
    ASSERT_TRUE(count.ok()) << window_api::storageMessage(count.error());
    for (int n = 1; n <= count.value(); ++n) {
        auto set = files.readSet(n);
        EXPECT_TRUE(set.ok()) << window_api::storageMessage(set.error());
    }
    auto dock = files.readDock();
    EXPECT_TRUE(dock.ok()) << window_api::storageMessage(dock.error());
}

struct Tally {
    int failures = 0;
    int powerCuts = 0;
};

constexpr long kCodes[] = {FaultDisk::kDiskFull, FaultDisk::kAccessDenied,
                           FaultDisk::kSharingViolation};

void exerciseEveryStep(const char* name, const Make& make, int seeds, Tally& tally) {
    for (int s = 1; s <= seeds; ++s) {
        const auto seed = static_cast<std::uint64_t>(s) * 7919 + 17;
        // The run without a fault tells the new contents and how many steps the save takes.
        FaultDisk clean(seed);
        std::unique_ptr<Scenario> keep;
        const Run reference = runScenario(
            make, seed, [](FaultDisk&, int) {}, &keep, clean);
        ASSERT_TRUE(reference.reportedSuccess) << name << " seed " << seed;
        const Files wanted = reference.after;

        for (int k = 0; k < reference.steps; ++k) {
            SCOPED_TRACE(std::string(name) + " seed " + std::to_string(seed) + " step " +
                         std::to_string(k + 1) + " of " + std::to_string(reference.steps));
            {
                // The step fails.
                const long code = kCodes[static_cast<std::size_t>(k) % std::size(kCodes)];
                FaultDisk disk(seed + static_cast<std::uint64_t>(k));
                std::unique_ptr<Scenario> scenario;
                const Run run = runScenario(
                    make, seed, [k, code](FaultDisk& d, int first) { d.failAt(first + k, code); },
                    &scenario, disk);
                ++tally.failures;
                EXPECT_EQ(run.before, reference.before);
                expectOldOrNew(run.after.dock, run.before.dock, wanted.dock, "dp.dat");
                expectOldOrNew(run.after.sets, run.before.sets, wanted.sets, "sl.dat");
                if (run.reportedSuccess) {
                    EXPECT_EQ(run.after, wanted);
                } else {
                    scenario->expectReported();
                    // The cause gone, the same save goes through.
                    EXPECT_TRUE(scenario->retry());
                    EXPECT_EQ(filesOn(disk), wanted);
                }
                // No temporary file is left behind, unless removing it was the failing step.
                const std::string& failed =
                    disk.journal().at(static_cast<std::size_t>(run.firstStep + k - 1));
                if (failed.find(" discard ") == std::string::npos) {
                    for (const std::string& file : disk.fileNames()) {
                        EXPECT_TRUE(file == store(disk).dockPath() ||
                                    file == store(disk).setsPath())
                            << file << " left behind after " << failed;
                    }
                }
            }
            {
                // The power goes just before the step.
                FaultDisk disk(seed * 31 + static_cast<std::uint64_t>(k));
                std::unique_ptr<Scenario> scenario;
                const Run run = runScenario(
                    make, seed, [k](FaultDisk& d, int first) { d.cutPowerAt(first + k); },
                    &scenario, disk);
                scenario.reset();  // the process is gone
                ++tally.powerCuts;
                disk.powerOn();
                const Files back = filesOn(disk);
                expectOldOrNew(back.dock, run.before.dock, wanted.dock, "dp.dat after power on");
                expectOldOrNew(back.sets, run.before.sets, wanted.sets, "sl.dat after power on");
                expectReadable(disk);
                // The bar starts on what is there without a word.
                BarOnDisk bar(disk);
                bar.start();
                EXPECT_EQ(bar.messages(), 0U) << bar.sim.dialogs.messages.front().text;
                EXPECT_TRUE(bar.dock().visible());
            }
        }
    }
}

TEST(SaveFaults, EveryStepOfEverySaveFailsOrLosesPowerWithoutLosingAFile) {
    Tally bar;
    Tally window;
    Tally tool;
    exerciseEveryStep(
        "bar save", [](FaultDisk& d) { return std::make_unique<BarSave>(d); }, 12, bar);
    exerciseEveryStep(
        "settings window save", [](FaultDisk& d) { return std::make_unique<WindowSave>(d); }, 12,
        window);
    exerciseEveryStep(
        "import", [](FaultDisk& d) { return std::make_unique<ToolImport>(d); }, 12, tool);
    Tally separator;
    exerciseEveryStep(
        "separator", [](FaultDisk& d) { return std::make_unique<SeparatorSave>(d); }, 8, separator);
    const int total = bar.failures + bar.powerCuts + window.failures + window.powerCuts +
                      tool.failures + tool.powerCuts + separator.failures + separator.powerCuts;
    std::cout << "fault points: " << total << " (bar save " << bar.failures << " failures, "
              << bar.powerCuts << " power cuts; settings window save " << window.failures << " + "
              << window.powerCuts << "; import " << tool.failures << " + " << tool.powerCuts
              << "; separator " << separator.failures << " + " << separator.powerCuts << ")\n";
    EXPECT_GE(total, 1000);
}

// The disk model itself must catch a writer that does less than the real one: without the
// flush, a power cut after the rename can leave a torn or empty file under the old name.
Bytes afterCutFollowingRename(std::uint64_t seed, bool flushFirst) {
    FaultDisk disk(seed);
    disk.addFile("C:/w/a.dat", "old contents");
    const std::string bytes(9000, 'n');
    platform::native::ReplaceSteps& steps = disk.replaceSteps();
    auto temp = steps.createTemporary("C:/w/a.dat");
    EXPECT_TRUE(temp.ok());
    EXPECT_TRUE(steps.write(bytes).ok());
    if (flushFirst) {
        EXPECT_TRUE(steps.flush().ok());
    }
    EXPECT_TRUE(steps.close().ok());
    EXPECT_TRUE(steps.moveOver(temp.value(), "C:/w/a.dat").ok());
    disk.cutPowerAt(disk.steps() + 1);
    steps.flushFolderOf("C:/w/a.dat");
    disk.powerOn();
    return disk.fileBytes("C:/w/a.dat");
}

TEST(FaultDiskModel, APowerCutTearsWhatWasRenamedUnflushedButNeverWhatWasFlushed) {
    int torn = 0;
    int renamed = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        const Bytes careless = afterCutFollowingRename(seed, false);
        torn += careless != "old contents" && careless != std::string(9000, 'n') ? 1 : 0;
        const Bytes careful = afterCutFollowingRename(seed, true);
        EXPECT_TRUE(careful == "old contents" || careful == std::string(9000, 'n'));
        renamed += careful == std::string(9000, 'n') ? 1 : 0;
    }
    EXPECT_GT(torn, 0);
    // The rename had not always reached the disk when the power went, and sometimes had.
    EXPECT_GT(renamed, 0);
    EXPECT_LT(renamed, 60);
}

TEST(FaultDiskModel, AFailedStepReportsItsErrorAndLaterStepsGoOn) {
    FaultDisk disk;
    disk.addFile("C:/w/a.dat", "old");
    disk.failAt(1, FaultDisk::kDiskFull);
    auto failed = disk.replaceFile("C:/w/a.dat", "new");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().code, FaultDisk::kDiskFull);
    EXPECT_EQ(disk.fileBytes("C:/w/a.dat"), "old");
    EXPECT_TRUE(disk.replaceFile("C:/w/a.dat", "new").ok());
    EXPECT_EQ(disk.fileBytes("C:/w/a.dat"), "new");
    EXPECT_EQ(disk.fileNames(), std::vector<std::string>{"C:/w/a.dat"});
}

}  // namespace
}  // namespace quorvel::testing
