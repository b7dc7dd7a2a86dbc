#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sim_menu_fixture.h"
#include "window_api/popups.h"

namespace quorvel::testing {
namespace {

using settings::trimRight;

class QuickEdits : public MenuFixture {
protected:
    // The bar was laid out afresh by a restart since `creations` switch panels were made.
    bool restartedSince(int creations) { return sim.windows.creations("frmBTN") > creations; }
    std::size_t writes() const { return sim.log.count("replaceFile"); }
    // Runs an entry's command the way the menu does, with whatever the model holds now.
    void run(const char* entry) {
        sim.dispatch([&] { frmMenu().menuItem(entry).click(); });
        sim.clock.advance(settle);
    }
};

TEST_F(QuickEdits, TheSeparatorInFrontOfLinkFiveComesAndGoesAndIsSavedWithoutARestart) {
    const int panels = sim.windows.creations("frmBTN");
    choose("SepIn", slotAt(5));
    EXPECT_EQ(model().SE[3], "1");
    EXPECT_TRUE(dock().separatorImage(4).visible());
    EXPECT_EQ(trimRight(storedSet(1).SE[3]), "1");
    EXPECT_EQ(model().SNo, "");
    EXPECT_FALSE(restartedSince(panels));

    // Taken away it is empty, which the save writes as "0".
    choose("SepIn", slotAt(5));
    EXPECT_EQ(model().SE[3], "0");
    EXPECT_FALSE(dock().separatorImage(4).visible());
    EXPECT_NE(trimRight(storedSet(1).SE[3]), "1");
    EXPECT_FALSE(restartedSince(panels));
    // Only that separator: its neighbours never moved.
    EXPECT_FALSE(dock().separatorImage(3).visible());
    EXPECT_FALSE(dock().separatorImage(5).visible());
}

TEST_F(QuickEdits, TheSeparatorEntryWithoutAPointedSeparatorDoesNothing) {
    for (const char* pointed : {"", "0", "17", "x"}) {
        model().SNo = pointed;
        const std::size_t before = writes();
        run("SepIn");
        EXPECT_EQ(writes(), before) << pointed;
        EXPECT_EQ(model().SNo, pointed);
        for (int k = 1; k <= settings::kSeparatorCount; ++k) {
            EXPECT_FALSE(dock().separatorImage(k).visible()) << pointed;
        }
    }
}

struct PositionCase {
    const char* before;
    const char* after;  // nullptr: nothing happens
    forms::Twips top;
};

class BarPosition : public QuickEdits, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(BarPosition, MovesToTheOtherEdgeSavedAndRestarted) {
    const PositionCase& c = GetParam();
    model().DockPos = c.before;
    const int panels = sim.windows.creations("frmBTN");
    const std::size_t before = writes();
    run("LnchPos");
    if (c.after == nullptr) {
        EXPECT_EQ(model().DockPos, c.before);
        EXPECT_EQ(writes(), before);
        EXPECT_FALSE(restartedSince(panels));
        return;
    }
    EXPECT_EQ(model().DockPos, c.after);
    EXPECT_EQ(trimRight(storedDock().DockPos), c.after);
    EXPECT_TRUE(restartedSince(panels));
    EXPECT_EQ(dock().top(), c.top);
}

// 15360-twip screen, 450-twip taskbar, a bar 735 high.
INSTANTIATE_TEST_SUITE_P(Words, BarPosition,
                         ::testing::Values(PositionCase{"上", "下", 15360 - 450 - 735 - 5},
                                           PositionCase{"下", "上", 15360 / 995},
                                           PositionCase{"", nullptr, 0},
                                           PositionCase{"左", nullptr, 0}));

TEST_F(QuickEdits, SaveAndRestartSavesThenDropsTheNameThenRestarts) {
    const int names = sim.windows.creations("LnkName");
    const std::size_t from = sim.log.entries().size();
    choose("LnchPos");
    const auto created = sim.log.find("formCreated LnkName", from);
    ASSERT_TRUE(created);
    // Both files are written before the restart reads the set back, and the new name popup
    // comes with the restarted bar.
    std::optional<std::size_t> lastSave;
    for (auto at = sim.log.find("replaceFile", from); at;
         at = sim.log.find("replaceFile", *at + 1)) {
        lastSave = at;
    }
    ASSERT_TRUE(lastSave);
    EXPECT_EQ(sim.log.count("replaceFile"), 2U);
    const auto reloaded = sim.log.find("readAt", *lastSave);
    ASSERT_TRUE(reloaded);
    EXPECT_LT(*reloaded, *created);
    // The name popup of the old bar went; the restarted bar made a new one.
    EXPECT_EQ(sim.windows.creations("LnkName"), names + 1);
    EXPECT_EQ(sim.log.count("formDestroyed LnkName"), 1U);
}

TEST_F(QuickEdits, ACancelledChooserKeepsTheTransparencyInMemoryUnsavedUntilTheNextSave) {
    sim.dialogs.fileAnswers = {std::nullopt};
    const int panels = sim.windows.creations("frmBTN");
    const std::size_t before = writes();
    choose("BkClrOn");
    ASSERT_EQ(sim.dialogs.fileRequests.size(), 1U);
    const platform::OpenFileRequest& r = sim.dialogs.fileRequests[0];
    EXPECT_EQ(r.filter,
              "アイコン (*.ico)|*.ico|ビットマップ (*.bmp)|*.bmp|JPEGイメージ (*.JPG)|*.JPG|"
              "GIFイメージ (*.GIF)|*.GIF|すべてのピクチャファイル (*.*)|*.*|");
    EXPECT_EQ(r.filterIndex, 5);
    EXPECT_EQ(r.initialFolder, "C:\\w");
    EXPECT_TRUE(r.hideReadOnly);
    EXPECT_EQ(model().Clr, "する");
    EXPECT_EQ(model().BkStrch, "する");
    EXPECT_TRUE(image("IFBk").stretch());
    EXPECT_EQ(writes(), before);
    EXPECT_EQ(trimRight(storedSet(1).Clr), "しない");
    EXPECT_FALSE(restartedSince(panels));

    choose("TBarrrSave");
    EXPECT_EQ(trimRight(storedSet(1).Clr), "する");
}

TEST_F(QuickEdits, AChosenPictureBecomesTheBackgroundSavedAndRestarted) {
    model().Clr = "する";
    sim.dialogs.fileAnswers = {std::string("C:\\pics\\sky.jpg")};
    choose("BkClrOff");
    EXPECT_EQ(model().txtFBk, "C:\\pics\\sky.jpg");
    const settings::SettingsModel stored = storedSet(1);
    EXPECT_EQ(trimRight(stored.txtFBk), "C:\\pics\\sky.jpg");
    EXPECT_EQ(trimRight(stored.Clr), "しない");
    EXPECT_EQ(trimRight(stored.BkStrch), "する");
    EXPECT_FALSE(dock().colorKey().has_value());
    EXPECT_TRUE(sim.log.contains("loadPicture C:\\pics\\sky.jpg"));
}

TEST_F(QuickEdits, ClearingThePictureMakesTheBarTransparent) {
    model().txtFBk = "C:\\pics\\sky.jpg";
    choose("NoBkClr");
    const settings::SettingsModel stored = storedSet(1);
    EXPECT_EQ(trimRight(stored.txtFBk), "");
    EXPECT_EQ(trimRight(stored.Clr), "する");
    EXPECT_EQ(trimRight(stored.BkStrch), "しない");
    EXPECT_EQ(dock().colorKey(), forms::kTransparentKey);
    EXPECT_FALSE(image("IFBk").stretch());
}

struct ToggleCase {
    const char* entry;
    const char* before;
    const char* after;  // nullptr: nothing happens, nothing is saved
};

class Toggles : public QuickEdits, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(Toggles, FlipTheirWordSaveAndRestart) {
    const ToggleCase& c = GetParam();
    std::string& field = std::string(c.entry) == "DClr" ? model().Clr : model().BkStrch;
    field = c.before;
    const std::size_t before = writes();
    run(c.entry);
    if (c.after == nullptr) {
        EXPECT_EQ(field, c.before);
        EXPECT_EQ(writes(), before);
        return;
    }
    EXPECT_EQ(field, c.after);
    const settings::SettingsModel stored = storedSet(1);
    EXPECT_EQ(trimRight(std::string(c.entry) == "DClr" ? stored.Clr : stored.BkStrch), c.after);
    if (std::string(c.entry) == "DClr") {
        EXPECT_EQ(dock().colorKey().has_value(), std::string(c.after) == "する");
    } else {
        EXPECT_EQ(image("IFBk").stretch(), std::string(c.after) == "する");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Words, Toggles,
    ::testing::Values(ToggleCase{"DClr", "する", "しない"}, ToggleCase{"DClr", "しない", "する"},
                      ToggleCase{"DClr", "", "する"}, ToggleCase{"DClr", "yes", "する"},
                      ToggleCase{"BStrch", "する", "しない"},
                      ToggleCase{"BStrch", "しない", "する"}, ToggleCase{"BStrch", "", nullptr},
                      ToggleCase{"BStrch", "はい", nullptr}));

TEST_F(QuickEdits, TheTaskbarToggleAppliesAtOnceAndIsLostUnlessSaved) {
    choose("TBar");
    EXPECT_EQ(model().TaskB, "非表示");
    EXPECT_FALSE(sim.screen.taskbarVisible);
    EXPECT_FALSE(image("TaskBDwn").visible());
    EXPECT_TRUE(image("TaskBUp").visible());
    EXPECT_EQ(trimRight(storedDock().TaskB), "表示");

    choose("TBar");
    EXPECT_EQ(model().TaskB, "表示");
    EXPECT_TRUE(sim.screen.taskbarVisible);
    EXPECT_TRUE(image("TaskBDwn").visible());
    EXPECT_FALSE(image("TaskBUp").visible());

    // Hidden again and the program left: the files still say shown.
    choose("TBar");
    sim.windows.menuChoices = {"AppEnd"};
    EXPECT_THROW(userPress(dock(), forms::MouseButton::Right, kBackground),
                 platform::sim::ProgramEnded);
    EXPECT_EQ(trimRight(storedDock().TaskB), "表示");
}

TEST_F(QuickEdits, SavingNowKeepsTheTaskbarState) {
    choose("TBar");
    choose("TBarrrSave");
    EXPECT_EQ(trimRight(storedDock().TaskB), "非表示");
}

// A quick edit whose save failed restarted the bar all the same: the reload brought back the
// stored settings, so the edit just made, and a taskbar state not yet saved, flipped back.
struct FailedSaveCase {
    const char* entry;
    std::string settings::SettingsModel::*field;
    const char* edited;
    bool dockWide;  // stored in dp.dat rather than with the set
};

class AFailedQuickEditSave : public QuickEdits,
                             public ::testing::WithParamInterface<FailedSaveCase> {};

TEST_P(AFailedQuickEditSave, KeepsTheBarAsThePersonSetItAndTheNextSaveStoresIt) {
    const FailedSaveCase& c = GetParam();
    choose("TBar");  // hidden, not yet saved
    sim.disk.lockFile(dockPath);
    const std::size_t shown = sim.dialogs.messages.size();
    choose(c.entry);
    ASSERT_EQ(sim.dialogs.messages.size(), shown + 1);
    EXPECT_TRUE(
        sim.dialogs.messages.back().text.starts_with("設定ファイルを保存できませんでした。"));
    EXPECT_EQ(model().*c.field, c.edited);
    EXPECT_EQ(model().TaskB, "非表示");
    EXPECT_FALSE(sim.screen.taskbarVisible);
    sim.clock.advance(settle);
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), settings::slotLeft(6));
    EXPECT_EQ(model().L[4].N, "リンク5");

    sim.disk.unlockFile(dockPath);
    choose("TBarrrSave");
    EXPECT_EQ(trimRight(c.dockWide ? storedDock().*c.field : storedSet(1).*c.field), c.edited);
    EXPECT_EQ(trimRight(storedDock().TaskB), "非表示");
}

INSTANTIATE_TEST_SUITE_P(
    Entries, AFailedQuickEditSave,
    ::testing::Values(FailedSaveCase{"LnchPos", &settings::SettingsModel::DockPos, "下", true},
                      FailedSaveCase{"DClr", &settings::SettingsModel::Clr, "する", false},
                      FailedSaveCase{"NoBkClr", &settings::SettingsModel::BkStrch, "しない",
                                     false}));

// Stands in for a settings window that asked for the running restart, to see the bar as the
// restart finds it.
class RestartWitness final : public window_api::SettingsWindow {
public:
    explicit RestartWitness(bar::Dock& dock) : dock_(dock) {}
    void cmdReset() override { barVisible = dock_.visible(); }
    std::string launcherSetNumber() const override { return "2"; }
    std::optional<bool> barVisible;

private:
    bar::Dock& dock_;
};

TEST_F(QuickEdits, ChoosingASetHidesTheBarAndRestartsOnIt) {
    auto second = sampleSet(2);
    second.L[0].N = "二番";
    store(second, 2);
    RestartWitness witness(dock());
    program->windows().setSettingsWindow(&witness);
    model().Edit = "1";
    const std::size_t writesBefore = writes();
    choose("Set2");
    program->windows().setSettingsWindow(nullptr);

    EXPECT_EQ(witness.barVisible, false);
    EXPECT_EQ(model().RNo, "2");
    EXPECT_EQ(model().MRNo, "2");
    EXPECT_EQ(model().L[0].N, "二番");
    EXPECT_EQ(dock().currentSetNumber(), 2);
    EXPECT_TRUE(dock().visible());
    // A switch writes nothing.
    EXPECT_EQ(writes(), writesBefore);
}

TEST_F(QuickEdits, TheShutDownOptionsAskOnlyTheShellWindow) {
    choose("WinClse");
    EXPECT_EQ(sim.shell.shutDownRequests, 1);
    EXPECT_TRUE(sim.dialogs.messages.empty());

    // Without a shell window (as under Wine) nothing is sent and nothing is said.
    sim.shell.hasShellWindow = false;
    const std::size_t from = sim.log.entries().size();
    choose("WinClse");
    EXPECT_EQ(sim.shell.shutDownRequests, 1);
    EXPECT_TRUE(sim.dialogs.messages.empty());
    EXPECT_FALSE(sim.log.find("shellExecute", from));
    EXPECT_FALSE(sim.log.find("startProgram", from));
}

}  // namespace
}  // namespace quorvel::testing
