#include <gtest/gtest.h>

#include <string>

#include "found.h"
#include "sim_settings_window_fixture.h"

namespace quorvel::testing {
namespace {

using platform::MessageAnswer;

class SaveSwitchReset : public SettingsWindowFixture {
protected:
    // The bar switched to set n as the menu does it, behind the window's back.
    void switchBarFromMenu(int n) {
        sim.dispatch([&] { dock().switchToSet(n); });
        sim.clock.advance(settle);
    }
    void rename(int slot, const std::string& name) {
        clickSlot(slot);
        type("LN", name);
    }
};

struct WidthCase {
    int links;  // slots 1..links have a path
    const char* fwdth;
};

class SavedWidth : public SaveSwitchReset, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(SavedWidth, EndsWhereTheFirstSlotWithoutAPathBegins) {
    auto set = sampleSet(GetParam().links);
    for (auto& flag : set.SE) {
        flag = "1";
    }
    store(set, 1);
    startOpen();
    open();
    clickSlot(1);
    ASSERT_TRUE(choose("LT", "ｱﾌﾟﾘｹｰｼｮﾝ"));  // an edit to save
    press("Command22");
    EXPECT_EQ(stored(1, "FWdth"), GetParam().fwdth);
    for (int k = 1; k <= settings::kSeparatorCount; ++k) {
        // A separator stays only in front of a slot in use.
        const bool kept = k + 1 <= GetParam().links;
        EXPECT_EQ(stored(1, ("S" + std::to_string(k) + "E").c_str()), kept ? "1" : "0") << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SavedWidth,
                         ::testing::Values(WidthCase{17, "12495"}, WidthCase{16, "11880"},
                                           WidthCase{5, "5280"}, WidthCase{1, "2880"},
                                           WidthCase{0, "2280"}));

TEST_F(SaveSwitchReset, ANameWithoutAPathCountsAsFree) {
    startWith(3);
    clickSlot(2);
    type("LP", "");
    press("Command22");
    EXPECT_EQ(stored(1, "FWdth"), std::to_string(settings::slotLeft(2)));
    EXPECT_EQ(stored(1, "L3N"), "リンク3");
}

TEST_F(SaveSwitchReset, SaveWritesTheWindowsValuesAndRestartsTheBarOnThem) {
    store(sampleSet(3), 1);
    store(sampleSet(4), 2);
    startOpen();
    model().FTop.clear();  // written as "する" by this window's save
    open();
    rename(3, "電卓");
    type("LP", "calc.exe");
    ASSERT_TRUE(choose("DockPos", "下"));
    type("LN2", "遊び");
    const auto record2 = sim.disk.fileBytes(setsPath)->substr(settings::kSetRecordLength);
    const int lnkNames = sim.windows.creations("LnkName");
    press("Command22");

    EXPECT_TRUE(saved());
    EXPECT_FALSE(win().button("cmdReset").enabled());
    EXPECT_TRUE(windowOpen());
    EXPECT_EQ(stored(1, "L3N"), "電卓");
    EXPECT_EQ(stored(1, "L3P"), "calc.exe");
    EXPECT_EQ(stored(1, "DockPos"), "下");
    EXPECT_EQ(stored(1, "FTop"), "する");
    EXPECT_EQ(stored(1, "LN2"), "遊び");
    EXPECT_EQ(stored(1, "RNo"), "1");
    // Only record 1 of sl.dat changed.
    EXPECT_EQ(sim.disk.fileBytes(setsPath)->substr(settings::kSetRecordLength), record2);
    // The bar took the set names, was restarted on the saved files and shows the new name.
    EXPECT_EQ(model().LN[1], "遊び");
    EXPECT_EQ(model().L[2].N, "電卓");
    EXPECT_EQ(model().DockPos, "下");
    EXPECT_EQ(sim.windows.creations("LnkName"), lnkNames + 1);  // unloaded, then shown anew
    sim.clock.advance(settle);
    EXPECT_EQ(dock().width(), settings::slotLeft(4));
}

TEST_F(SaveSwitchReset, SavingSet2WritesRecord2AndLeavesTheOthers) {
    store(sampleSet(3), 1);
    store(sampleSet(1), 2);
    store(sampleSet(2), 3);
    startOpen();
    switchBarFromMenu(2);
    open();
    const auto before = present(sim.disk.fileBytes(setsPath), "sets file");
    rename(1, "二番");
    press("Command22");
    const auto after = present(sim.disk.fileBytes(setsPath), "sets file");
    ASSERT_EQ(after.size(), before.size());
    const auto n = settings::kSetRecordLength;
    EXPECT_EQ(after.substr(0, n), before.substr(0, n));
    EXPECT_NE(after.substr(n, n), before.substr(n, n));
    EXPECT_EQ(after.substr(2 * n), before.substr(2 * n));
    EXPECT_EQ(stored(2, "L1N"), "二番");
    EXPECT_EQ(model().RNo, "2");
}

// The save took the separator flags from the bar, whatever set the bar was showing: after a
// switch from the menu the other set's separators were written into the window's set.
TEST_F(SaveSwitchReset, SeparatorsStayWithTheirOwnSetWhenTheBarShowsAnother) {
    auto one = sampleSet(6);
    one.SE[1] = "1";  // in front of slot 3
    auto two = sampleSet(6);
    two.SE[3] = "1";  // in front of slot 5
    store(one, 1);
    store(two, 2);
    startOpen();
    open();
    switchBarFromMenu(2);
    ASSERT_EQ(model().SE[3], "1");
    rename(1, "一番");
    press("Command22");
    EXPECT_EQ(stored(1, "S2E"), "1");
    EXPECT_EQ(stored(1, "S4E"), "0");
    EXPECT_EQ(stored(2, "S4E"), "1");
    EXPECT_EQ(model().RNo, "1");  // the bar follows the saved set
    EXPECT_EQ(model().SE[1], "1");
}

// A character Shift-JIS cannot store was written as "?", silently breaking the path.
TEST_F(SaveSwitchReset, AValueTheFilesCannotHoldIsNamedAndNothingIsWritten) {
    startWith(3);
    const auto before = sim.disk.fileBytes(setsPath);
    clickSlot(3);
    type("LP", "C:\\사진\\앨범.lnk");
    press("Command22");
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text,
              "設定ファイルに保存できない文字があります。\rリンク３のリンクのパス：「사진앨범」\r"
              "変更してから、もう一度保存してください。");
    EXPECT_EQ(sim.disk.fileBytes(setsPath), before);
    EXPECT_FALSE(saved());
    EXPECT_EQ(model().L[2].P, "C:\\docs\\3.txt");

    // A path too long for its field once encoded (a file dialog can return one).
    sim.dialogs.fileAnswers.push_back("C:\\" + std::string(300, 'x'));
    ASSERT_TRUE(choose("LT", "ﾌｧｲﾙ"));
    press("Command27");
    press("Command22");
    ASSERT_EQ(sim.dialogs.messages.size(), 2U);
    EXPECT_EQ(sim.dialogs.messages[1].text,
              "長すぎて設定ファイルに保存できません。\rリンク３のリンクのパス\r"
              "変更してから、もう一度保存してください。");
    EXPECT_EQ(sim.disk.fileBytes(setsPath), before);

    type("LP", "C:\\photos\\album.lnk");
    press("Command22");
    EXPECT_TRUE(saved());
    EXPECT_EQ(stored(1, "L3P"), "C:\\photos\\album.lnk");
}

TEST_F(SaveSwitchReset, AFailedWriteKeepsTheEditsUnsavedAndTheBarAsItWas) {
    startWith(3);
    rename(2, "保存失敗");
    sim.disk.setFreeSpace(0);
    press("Command22");
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_TRUE(sim.dialogs.messages[0].text.starts_with("設定ファイルを保存できませんでした。"));
    EXPECT_FALSE(saved());
    EXPECT_EQ(model().L[1].N, "リンク2");
    sim.disk.setFreeSpace(std::nullopt);
    press("Command22");
    EXPECT_EQ(stored(1, "L2N"), "保存失敗");
}

TEST_F(SaveSwitchReset, ChoosingTheShownSetDoesNothing) {
    startWith(3);
    rename(1, "そのまま");
    ASSERT_TRUE(choose("RNo", "1"));
    EXPECT_TRUE(sim.dialogs.messages.empty());
    EXPECT_EQ(slotField(1, 'N'), "そのまま");
}

TEST_F(SaveSwitchReset, SwitchingWithEditsAndNoLoadsTheOtherSetAndDropsEveryEdit) {
    store(sampleSet(2), 1);
    auto three = sampleSet(4);
    three.L[0].N = "三番の一";
    store(three, 3);
    startOpen();
    open();
    rename(1, "捨てる");
    type("LN1", "捨てる名前");
    sim.dialogs.answers.push_back(MessageAnswer::No);
    ASSERT_TRUE(choose("RNo", "3"));
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text, kNotSavedQuestion);

    EXPECT_EQ(model().RNo, "3");
    EXPECT_EQ(model().Edit, "");
    EXPECT_EQ(model().L[0].N, "三番の一");
    EXPECT_EQ(slotField(1, 'N'), "三番の一");
    EXPECT_EQ(slotField(4, 'N'), "リンク4");
    // The names were edits too: they go with the rest.
    EXPECT_EQ(field("LN1"), "ランチャー1");
    EXPECT_TRUE(saved());
    EXPECT_EQ(win().selectedItem(), "FRM");
    EXPECT_EQ(stored(1, "L1N"), "リンク1");
    // Names of another set than 1 are locked, with the note.
    EXPECT_TRUE(win().label("lblNameLock").visible());
    EXPECT_FALSE(win().textBox("LN2").enabled());
    sim.clock.advance(settle);
    EXPECT_EQ(dock().width(), settings::slotLeft(5));
}

TEST_F(SaveSwitchReset, SwitchingWithEditsAndYesSavesAndStaysOnTheSet) {
    store(sampleSet(2), 1);
    store(sampleSet(4), 3);
    startOpen();
    open();
    rename(2, "残す");
    sim.dialogs.answers.push_back(MessageAnswer::Yes);
    ASSERT_TRUE(choose("RNo", "3"));
    EXPECT_EQ(stored(1, "L2N"), "残す");
    EXPECT_EQ(model().RNo, "1");
    EXPECT_EQ(field("RNo"), "1");
    EXPECT_EQ(win().comboBox("RNo").text(), "1");
    EXPECT_EQ(slotField(2, 'N'), "残す");
    EXPECT_TRUE(saved());
    EXPECT_FALSE(win().label("lblNameLock").visible());
}

TEST_F(SaveSwitchReset, SwitchingWithEditsYesAndAFailedSaveStaysWithTheEdits) {
    store(sampleSet(2), 1);
    store(sampleSet(4), 3);
    startOpen();
    open();
    rename(2, "残す");
    sim.disk.lockFile(setsPath);
    sim.dialogs.answers.push_back(MessageAnswer::Yes);
    ASSERT_TRUE(choose("RNo", "3"));
    EXPECT_EQ(model().RNo, "1");
    EXPECT_EQ(field("RNo"), "1");
    EXPECT_EQ(slotField(2, 'N'), "残す");
    EXPECT_FALSE(saved());
}

TEST_F(SaveSwitchReset, SwitchingWithoutEditsAndTheNameLock) {
    store(sampleSet(2), 1);
    startOpen();
    open();
    // Set 4 is not stored: the window shows it empty, under its number.
    ASSERT_TRUE(choose("RNo", "4"));
    EXPECT_TRUE(sim.dialogs.messages.empty());
    EXPECT_EQ(model().RNo, "4");
    EXPECT_EQ(slotField(1, 'N'), "");
    EXPECT_TRUE(win().label("lblNameLock").visible());
    for (const char* name : {"LN1", "LN2", "LN3", "LN4"}) {
        EXPECT_FALSE(win().textBox(name).enabled()) << name;
    }
    ASSERT_TRUE(choose("RNo", "1"));
    EXPECT_FALSE(win().label("lblNameLock").visible());
    EXPECT_TRUE(win().textBox("LN3").enabled());
    EXPECT_EQ(slotField(2, 'N'), "リンク2");
}

TEST_F(SaveSwitchReset, OpeningOnAnotherSetLeavesTheNamesEditable) {
    store(sampleSet(2), 1);
    store(sampleSet(2), 2);
    startOpen();
    switchBarFromMenu(2);
    open();
    EXPECT_FALSE(win().label("lblNameLock").visible());
    EXPECT_TRUE(win().textBox("LN1").enabled());
}

// Reset left the edited set names on screen and counted the window saved, so closing dropped
// them without a question: the names come back with everything else.
TEST_F(SaveSwitchReset, ResetBringsBackTheBarsValuesAndNamesButNotTheSetNumber) {
    auto set = sampleSet(3);
    set.BkStrch = "しない";
    store(set, 1);
    startOpen();
    open();
    rename(2, "元に戻る");
    type("LN3", "残る名前");
    click("Image1");
    ASSERT_TRUE(choose("BkStrch", "する"));
    ASSERT_TRUE(win().button("cmdReset").enabled());
    press("cmdReset");
    EXPECT_EQ(slotField(2, 'N'), "リンク2");
    EXPECT_EQ(field("BkStrch"), "しない");
    EXPECT_EQ(field("LN3"), "ランチャー3");
    EXPECT_EQ(field("RNo"), "1");
    EXPECT_TRUE(saved());
    EXPECT_FALSE(win().button("cmdReset").enabled());
    EXPECT_EQ(win().selectedItem(), "FRM");
}

// Reset left BkStrch alone, so after a switch a save wrote the previous set's stretch into the
// new set.
TEST_F(SaveSwitchReset, ASwitchBringsTheStretchOfTheNewSet) {
    auto one = sampleSet(2);
    one.BkStrch = "する";
    auto two = sampleSet(2);
    two.BkStrch = "しない";
    store(one, 1);
    store(two, 2);
    startOpen();
    open();
    ASSERT_TRUE(choose("RNo", "2"));
    EXPECT_EQ(field("BkStrch"), "しない");
    rename(1, "二");
    press("Command22");
    EXPECT_EQ(stored(2, "BkStrch"), "しない");
}

// The window stays on the set it shows while the bar is switched from its menu: whatever the
// window then does acts on that set. Sets 1 and 2 hold links named after their set.
class WhileTheBarShowsAnotherSet : public SaveSwitchReset {
protected:
    void SetUp() override {
        for (int n : {1, 2}) {
            auto set = sampleSet(4);
            for (int slot = 1; slot <= 4; ++slot) {
                set.L[slot - 1].N = "組" + std::to_string(n) + "の" + std::to_string(slot);
            }
            store(set, n);
        }
        startOpen();
        open();
        switchBarFromMenu(2);
        ASSERT_EQ(model().L[0].N, "組2の1");
        ASSERT_EQ(slotField(1, 'N'), "組1の1");
    }
};

// Yes to the switch question stored the window's edits into the bar's set 2.
TEST_F(WhileTheBarShowsAnotherSet, YesToTheSwitchQuestionSavesIntoTheWindowsSet) {
    rename(3, "編集");
    sim.dialogs.answers.push_back(MessageAnswer::Yes);
    ASSERT_TRUE(choose("RNo", "3"));
    EXPECT_EQ(stored(1, "L3N"), "編集");
    EXPECT_EQ(stored(2, "L3N"), "組2の3");
    EXPECT_EQ(field("RNo"), "1");
    EXPECT_EQ(slotField(3, 'N'), "編集");
}

// Picking the bar's number did nothing: the window then showed "2" over set 1's links.
TEST_F(WhileTheBarShowsAnotherSet, PickingTheBarsNumberSwitchesTheWindowToIt) {
    ASSERT_TRUE(choose("RNo", "2"));
    EXPECT_EQ(field("RNo"), "2");
    EXPECT_EQ(slotField(1, 'N'), "組2の1");
    rename(1, "二の一");
    press("Command22");
    EXPECT_EQ(stored(2, "L1N"), "二の一");
    EXPECT_EQ(stored(1, "L1N"), "組1の1");
}

// Reset copied the bar's set 2 into the window, still numbered 1: the next save wrote it there.
TEST_F(WhileTheBarShowsAnotherSet, ResetTakesTheWindowsOwnSetFromTheFiles) {
    rename(2, "やめる");
    press("cmdReset");
    EXPECT_EQ(slotField(2, 'N'), "組1の2");
    EXPECT_EQ(slotField(4, 'N'), "組1の4");
    EXPECT_TRUE(saved());
    rename(1, "保存する");
    press("Command22");
    EXPECT_EQ(stored(1, "L1N"), "保存する");
    EXPECT_EQ(stored(1, "L2N"), "組1の2");
    EXPECT_EQ(stored(2, "L1N"), "組2の1");
}

// The folder chooser outlived a reset and wrote its folder into whatever the window then showed.
TEST_F(WhileTheBarShowsAnotherSet, TheFolderChooserClosesWhenTheContentIsReplaced) {
    clickSlot(2);
    ASSERT_TRUE(choose("LT", "ﾌｫﾙﾀﾞ"));
    press("Command27");
    ASSERT_NE(chooser(), nullptr);
    // Asking again brings the open chooser forward instead of a second one.
    const std::uint64_t activations = chooser()->activationSerial();
    press("Command27");
    EXPECT_EQ(chooser()->activationSerial(), activations + 1);
    press("cmdReset");
    EXPECT_EQ(chooser(), nullptr);

    clickSlot(2);
    ASSERT_TRUE(choose("LT", "ﾌｫﾙﾀﾞ"));
    press("Command27");
    ASSERT_NE(chooser(), nullptr);
    sim.dialogs.answers.push_back(MessageAnswer::No);
    ASSERT_TRUE(choose("RNo", "3"));
    EXPECT_EQ(chooser(), nullptr);
}

// The bar's own set could not be read, and the window's healthy set 1 was refused its save.
TEST_F(WhileTheBarShowsAnotherSet, OnlyTheUnreadSetItselfRefusesToBeSaved) {
    sim.files.failures[platform::sim::FileOp::ReadAt] = platform::Error{5, "読めません"};
    switchBarFromMenu(2);
    ASSERT_TRUE(dock().setUnread());
    sim.files.failures.clear();
    const std::size_t shown = sim.dialogs.messages.size();
    rename(1, "守る");
    press("Command22");
    EXPECT_EQ(sim.dialogs.messages.size(), shown);
    EXPECT_EQ(stored(1, "L1N"), "守る");
    EXPECT_EQ(stored(2, "L1N"), "組2の1");
}

// A window that switched to a set before any was saved left the bar's request standing: a
// later restart then reset the window and dropped the edits made meanwhile.
TEST_F(SaveSwitchReset, ASwitchBeforeAnySetIsSavedIsAnsweredAtOnce) {
    startOpen();
    open();
    ASSERT_TRUE(choose("RNo", "2"));
    EXPECT_EQ(model().Edit, "");
    rename(1, "新しい");
    restart();
    EXPECT_EQ(slotField(1, 'N'), "新しい");
    EXPECT_FALSE(saved());
}

}  // namespace
}  // namespace quorvel::testing
