#include <gtest/gtest.h>

#include <string>

#include "found.h"
#include "sim_settings_window_fixture.h"

namespace quorvel::testing {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;

class SettingsWindowLifecycle : public SettingsWindowFixture {};

TEST_F(SettingsWindowLifecycle, OpensCentredAsADialogAndOnlyOnce) {
    startWith(5);
    const auto& w = win();
    // Centred as the whole window, title bar and frame included.
    const forms::Size outer = w.windowSize();
    ASSERT_GT(outer.height, 6960);
    EXPECT_EQ(w.bounds(), (forms::Rect{19200 / 2 - outer.width / 2, 15360 / 2 - outer.height / 2,
                                       11505, 6960}));
    EXPECT_EQ(w.style(), forms::FormStyle::Dialog);
    EXPECT_EQ(w.caption(), "設定");
    EXPECT_TRUE(w.visible());
    open();
    EXPECT_EQ(&win(), &w);
    EXPECT_EQ(sim.windows.creations("frmSet"), 1);
}

TEST_F(SettingsWindowLifecycle, OnAScreenSmallerThanTheWindowItsCornerStaysOnTheScreen) {
    sim.screen.width = 1024 * 10;  // 1024 x 768 pixels at 144 dpi
    sim.screen.height = 768 * 10;
    startWith(1);
    EXPECT_EQ(pos(win().bounds()), (forms::Point{0, 7680 / 2 - win().windowSize().height / 2}));
}

struct SetNumberCase {
    const char* barRNo;
    const char* barMRNo;
    const char* windowRNo;
};

class SettingsWindowSetNumber : public SettingsWindowFixture,
                                public ::testing::WithParamInterface<SetNumberCase> {};

TEST_P(SettingsWindowSetNumber, ComesFromTheBarAndTheMenuChoiceIsUsedUp) {
    store(sampleSet(2), 1);
    startOpen();
    model().RNo = GetParam().barRNo;
    model().MRNo = GetParam().barMRNo;
    open();
    EXPECT_EQ(win().launcherSetNumber(), GetParam().windowRNo);
    EXPECT_EQ(win().comboBox("RNo").text(), GetParam().windowRNo);
    EXPECT_EQ(model().MRNo, "");
    // Loading counts as saved, so there is nothing to revert in any case.
    EXPECT_FALSE(win().button("cmdReset").enabled());
    clickSlot(1);
    type("LN", "編集");
    EXPECT_TRUE(win().button("cmdReset").enabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsWindowSetNumber,
                         ::testing::Values(SetNumberCase{"3", "", "3"},
                                           SetNumberCase{"1", "4", "1"},
                                           SetNumberCase{"", "2", "2"},
                                           SetNumberCase{"", "", "1"}));

TEST_F(SettingsWindowLifecycle, LoadCopiesTheBarAndSelectsTheBackground) {
    auto set = sampleSet(5);
    set.txtMcIc = "C:\\icons\\mc.ico";
    set.SepIcn = "C:\\icons\\sep.ico";
    set.LN = {"仕事", "趣味", "ゲーム", "予備"};
    store(set, 1);
    startOpen();
    open();

    EXPECT_EQ(field("txtCDir"), kCwd);
    EXPECT_EQ(field("txtMcIc"), "C:\\icons\\mc.ico");
    EXPECT_EQ(slotField(3, 'N'), "リンク3");
    EXPECT_EQ(slotField(5, 'P'), "C:\\docs\\5.txt");
    EXPECT_EQ(field("LN2"), "趣味");
    EXPECT_EQ(field("DockPos"), "上");
    EXPECT_EQ(field("FrColor"), "-2147483630");
    EXPECT_TRUE(saved());

    // Pictures where a path is set; a framed empty box where none is.
    EXPECT_EQ(pictureSource(win().image("ImgMC")), "C:\\icons\\mc.ico");
    EXPECT_EQ(pictureSource(win().image("Divid1")), "C:\\icons\\sep.ico");
    EXPECT_EQ(pictureSource(win().image("IL2")), "C:\\icons\\2.ico");
    EXPECT_EQ(win().image("IL6").picture(), nullptr);
    EXPECT_EQ(win().image("IL6").borderStyle(), 1);
    EXPECT_EQ(win().image("IL2").borderStyle(), 0);
    EXPECT_EQ(win().image("ImgMD").borderStyle(), 1);

    EXPECT_EQ(win().selectedItem(), "FRM");
    EXPECT_EQ(marker(), (forms::Point{600, 1200}));
    EXPECT_EQ(win().textBox("LN").text(), "ウインドウの背景");
    EXPECT_FALSE(win().comboBox("LT").enabled());
    EXPECT_FALSE(win().textBox("LP").enabled());
    EXPECT_TRUE(win().button("Command1").visible());
    EXPECT_FALSE(win().button("Command12").visible());
    EXPECT_TRUE(win().comboBox("Clr").visible());
    EXPECT_FALSE(win().label("lblNameLock").visible());
}

TEST_F(SettingsWindowLifecycle, EmptyOptionsShowTheirDefaultsAndStillCountAsSaved) {
    store(sampleSet(1), 1);
    startOpen();
    model().FTop.clear();
    model().Clr.clear();
    model().BkStrch.clear();
    open();
    EXPECT_EQ(field("FTop"), "する");
    EXPECT_EQ(field("Clr"), "しない");
    EXPECT_EQ(field("BkStrch"), "する");
    EXPECT_TRUE(win().image("Image1").stretch());
    EXPECT_TRUE(saved());
}

struct PreviewCase {
    const char* dockPos;
    const char* taskB;
    forms::Twips top;
    bool taskbarShown;
};

class SettingsWindowPreview : public SettingsWindowFixture,
                              public ::testing::WithParamInterface<PreviewCase> {};

TEST_P(SettingsWindowPreview, PlacesTheBarInTheMiniatureScreen) {
    auto set = sampleSet(1);
    set.DockPos = GetParam().dockPos;
    set.TaskB = GetParam().taskB;
    store(set, 1);
    startOpen();
    open();
    EXPECT_EQ(previewTop(), GetParam().top);
    EXPECT_EQ(win().image("Picture2").visible(), GetParam().taskbarShown);

    // Choosing the same options in a window that started elsewhere ends in the same place.
    program->windows().unloadSettingsWindow();
    model().DockPos = GetParam().dockPos == std::string("上") ? "下" : "上";
    model().TaskB = GetParam().taskB == std::string("表示") ? "非表示" : "表示";
    open();
    ASSERT_TRUE(choose("TaskB", GetParam().taskB));
    ASSERT_TRUE(choose("DockPos", GetParam().dockPos));
    EXPECT_EQ(previewTop(), GetParam().top);
    EXPECT_EQ(win().image("Picture2").visible(), GetParam().taskbarShown);
    EXPECT_FALSE(saved());
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsWindowPreview,
                         ::testing::Values(PreviewCase{"上", "表示", 15, true},
                                           PreviewCase{"上", "非表示", 15, false},
                                           PreviewCase{"下", "表示", 1050, true},
                                           PreviewCase{"下", "非表示", 1150, false}));

TEST_F(SettingsWindowLifecycle, ABottomBarWithoutTaskbarWordSitsAboveTheTaskbar) {
    auto set = sampleSet(1);
    set.TaskB = "";
    store(set, 1);
    startOpen();
    model().TaskB.clear();  // the layout would fill it in
    open();
    ASSERT_TRUE(choose("DockPos", "下"));
    EXPECT_EQ(previewTop(), 1050);
}

TEST_F(SettingsWindowLifecycle, ClosingWithoutEditsAsksNothing) {
    startWith(3);
    clickSlot(2);  // selecting is no edit
    press("Command26");
    EXPECT_TRUE(sim.dialogs.messages.empty());
    EXPECT_FALSE(windowOpen());
    EXPECT_EQ(sim.windows.live("frmSet"), nullptr);
}

TEST_F(SettingsWindowLifecycle, ClosingWithEditsAsksAndNoLeavesEverythingAsItWas) {
    startWith(3);
    const auto before = sim.disk.fileBytes(setsPath);
    clickSlot(2);
    type("LN", "新しい名前");
    EXPECT_FALSE(saved());
    sim.dialogs.answers.push_back(MessageAnswer::No);
    press("Command26");
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text, kNotSavedQuestion);
    EXPECT_EQ(sim.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_FALSE(windowOpen());
    EXPECT_EQ(model().L[1].N, "リンク2");
    EXPECT_EQ(sim.disk.fileBytes(setsPath), before);
}

TEST_F(SettingsWindowLifecycle, ClosingWithEditsAndYesSavesThenCloses) {
    startWith(3);
    clickSlot(2);
    type("LN", "新しい名前");
    sim.dialogs.answers.push_back(MessageAnswer::Yes);
    press("Command26");
    EXPECT_FALSE(windowOpen());
    EXPECT_EQ(stored(1, "L2N"), "新しい名前");
    EXPECT_EQ(model().L[1].N, "新しい名前");
}

// The close box used to throw unsaved edits away without a word; it asks like "閉じる" now.
TEST_F(SettingsWindowLifecycle, TheCloseBoxAsksLikeTheCloseButton) {
    startWith(3);
    EXPECT_TRUE(sim.dispatch([this] { return win().requestClose(); }));
    EXPECT_FALSE(windowOpen());  // nothing to save: no question

    open();
    clickSlot(1);
    type("LP", "C:\\other.txt");
    sim.dialogs.answers.push_back(MessageAnswer::No);
    sim.dispatch([this] { win().requestClose(); });
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text, kNotSavedQuestion);
    EXPECT_FALSE(windowOpen());
    EXPECT_EQ(model().L[0].P, "C:\\docs\\1.txt");
}

TEST_F(SettingsWindowLifecycle, AFailedSaveOnClosingKeepsTheWindowAndItsEdits) {
    startWith(3);
    clickSlot(2);
    type("LN", "消えない名前");
    sim.disk.lockFile(setsPath);
    sim.dialogs.answers.push_back(MessageAnswer::Yes);
    press("Command26");
    ASSERT_EQ(sim.dialogs.messages.size(), 2U);
    EXPECT_TRUE(sim.dialogs.messages[1].text.starts_with("設定ファイルを保存できませんでした。"));
    ASSERT_TRUE(windowOpen());
    EXPECT_EQ(slotField(2, 'N'), "消えない名前");
    EXPECT_FALSE(saved());
    EXPECT_TRUE(win().button("cmdReset").enabled());
}

TEST_F(SettingsWindowLifecycle, APictureThatCannotBeLoadedShowsAnEmptyFrameWithoutAMessage) {
    auto set = sampleSet(3);
    set.txtFBk = "C:\\pics\\broken.jpg";
    store(set, 1);
    sim.pictures.bad.insert("C:\\icons\\2.ico");
    sim.pictures.bad.insert("C:\\pics\\broken.jpg");
    startOpen();
    open();
    EXPECT_EQ(win().image("IL2").picture(), nullptr);
    EXPECT_EQ(win().image("IL2").borderStyle(), 1);
    EXPECT_EQ(win().image("Image1").picture(), nullptr);
    EXPECT_EQ(win().image("Image1").borderStyle(), 1);
    EXPECT_NE(win().image("IL3").picture(), nullptr);
    EXPECT_TRUE(sim.dialogs.messages.empty());
    EXPECT_TRUE(saved());
}

TEST_F(SettingsWindowLifecycle, TheMockUpCarriesTheItemsHints) {
    startWith(1);
    EXPECT_EQ(win().image("IL1").toolTip(), "リンク１");
    EXPECT_EQ(win().image("IL10").toolTip(), "リンク１０");
    EXPECT_EQ(win().image("IL17").toolTip(), "リンク１７");
    EXPECT_EQ(win().image("Image1").toolTip(), "ウインドウ");
    EXPECT_EQ(win().image("ImgRBinFll").toolTip(), "ごみ箱（いっぱい）");
    EXPECT_EQ(win().image("OpnBtn").toolTip(), "切替ボタン/切替ボタン表示");
    EXPECT_EQ(win().label("lblNameLock").foreColor(), 0x0000FFU);
}

}  // namespace
}  // namespace quorvel::testing
