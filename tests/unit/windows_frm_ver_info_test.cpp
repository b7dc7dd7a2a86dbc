#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "found.h"
#include "sim_bar_fixture.h"
#include "windows/frm_ver_info.h"

namespace quorvel::testing {
namespace {

using windows::FrmVerInfo;

constexpr forms::Point kBackground{2400, 660};  // the bar's bare background under the slots
constexpr forms::Point kAddress{2400, 2060};    // the middle of the address

class AboutWindow : public BarFixture {
protected:
    void SetUp() override {
        store(sampleSet(3), 1);
        startOpen();
    }
    // "バージョン情報" from the bar's menu.
    void chooseAbout() {
        sim.windows.menuChoices = {"VInfo"};
        userPress(dock(), forms::MouseButton::Right, kBackground);
    }
    FrmVerInfo* about() { return program->windows().frmVerInfoIfLoaded(); }
    FrmVerInfo& open() {
        chooseAbout();
        EXPECT_NE(about(), nullptr);
        return present(about(), "About window");
    }
    bool onScreen() { return sim.windows.live("frmVerInfo") != nullptr; }
};

TEST_F(AboutWindow, IsALightBlueDialogCentredOnTheScreen) {
    FrmVerInfo& w = open();
    EXPECT_TRUE(w.visible());
    EXPECT_EQ(w.style(), forms::FormStyle::Dialog);
    EXPECT_EQ(w.caption(), "バージョン情報");
    EXPECT_EQ(w.width(), 4815);
    EXPECT_EQ(w.height(), 2985);
    EXPECT_EQ(w.backColor(), 0xF4E1CCU);
    // Centred as the whole window on the simulated screen of 19200 x 15360 twips.
    const forms::Size outer = w.windowSize();
    ASSERT_GT(outer.height, 2985);
    EXPECT_EQ(w.left(), 9600 - outer.width / 2);
    EXPECT_EQ(w.top(), 7680 - outer.height / 2);
    const forms::Image& icon = w.image("Image1");
    EXPECT_EQ(pictureSource(icon), "builtin:ProgramIcon");
    EXPECT_TRUE(icon.stretch());
    EXPECT_EQ(icon.bounds(), (forms::Rect{280, 100, 855, 855}));
}

struct LabelCase {
    const char* name;
    const char* caption;
    forms::Rect bounds;
    const char* face;
    double sizePt;
    bool bold;
    forms::ColorNumber color;  // &HBBGGRR
};

class AboutLabels : public AboutWindow, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(AboutLabels, ShowTheirTextInTheirTypeface) {
    const LabelCase& c = GetParam();
    const forms::Label& l = open().label(c.name);
    EXPECT_EQ(l.caption(), c.caption);
    EXPECT_EQ(l.bounds(), c.bounds);
    EXPECT_EQ(l.font().name, c.face);
    EXPECT_DOUBLE_EQ(l.font().sizePt, c.sizePt);
    EXPECT_EQ(l.font().bold, c.bold);
    EXPECT_FALSE(l.font().italic);
    EXPECT_EQ(l.foreColor(), c.color);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AboutLabels,
    ::testing::Values(
        LabelCase{"Label6",
                  "Qvl           Quorvel",
                  {1260, 120, 3225, 855},
                  "GungsuhChe",
                  20.25,
                  true,
                  0xFCB358},
        LabelCase{"Label2",
                  "Qvl           Quorvel",
                  {1280, 150, 3255, 855},
                  "GungsuhChe",
                  20.25,
                  true,
                  0xD76202},
        LabelCase{
            "Label1", "ver1.7.1", {1800, 900, 1335, 495}, "Comic Sans MS", 14.25, true, 0x00C000},
        LabelCase{"Label3",
                  "Quorvel project",
                  {525, 1485, 2895, 375},
                  "Comic Sans MS",
                  11.25,
                  true,
                  0x808080},
        LabelCase{"Label4", "制作", {3525, 1515, 735, 375}, "HG創英角ｺﾞｼｯｸUB", 12, false, 0x808080},
        LabelCase{"Label5",
                  "https://quorvel.example.org/",
                  {240, 1920, 4335, 255},
                  "Comic Sans MS",
                  9.75,
                  true,
                  0xFF0000}));

TEST_F(AboutWindow, OKIsTheDefaultAndTheCancelButton) {
    const forms::Button& ok = open().button("Command1");
    EXPECT_EQ(ok.caption(), "O K");
    EXPECT_EQ(ok.bounds(), (forms::Rect{1800, 2400, 1215, 375}));
    EXPECT_TRUE(ok.isDefault());
    EXPECT_TRUE(ok.isCancel());
    ASSERT_TRUE(ok.font().has_value());
    EXPECT_EQ(ok.font()->name, "HG創英角ｺﾞｼｯｸUB");
    EXPECT_DOUBLE_EQ(ok.font()->sizePt, 11.25);
}

// Each way a person closes the window: the button, Enter, Escape and the close box.
TEST_F(AboutWindow, ClosesWithOKEnterEscapeOrItsCloseBox) {
    const std::function<void(FrmVerInfo&)> closers[] = {
        [](FrmVerInfo& w) { w.button("Command1").press(); },
        [](FrmVerInfo& w) { w.enterKey(); },
        [](FrmVerInfo& w) { w.escapeKey(); },
        [](FrmVerInfo& w) { w.requestClose(); },
    };
    int made = 0;
    for (const auto& close : closers) {
        FrmVerInfo& w = open();
        EXPECT_EQ(sim.windows.creations("frmVerInfo"), ++made);
        sim.dispatch([&] { close(w); });
        EXPECT_EQ(about(), nullptr) << made;
        EXPECT_FALSE(onScreen()) << made;
    }
    EXPECT_TRUE(sim.shell.executed.empty());
}

TEST_F(AboutWindow, ASecondChoiceBringsTheOpenWindowForward) {
    FrmVerInfo& first = open();
    const auto serial = first.activationSerial();
    chooseAbout();
    EXPECT_EQ(about(), &first);
    EXPECT_EQ(sim.windows.creations("frmVerInfo"), 1);
    EXPECT_GT(first.activationSerial(), serial);
    EXPECT_TRUE(first.visible());
}

TEST_F(AboutWindow, TheHandPointerShowsOverTheClickAreaOnly) {
    FrmVerInfo& w = open();
    struct {
        forms::Point at;
        forms::MousePointer pointer;
    } const cases[] = {
        {kAddress, forms::MousePointer::Hand},
        {{480, 1965}, forms::MousePointer::Hand},      // the click area's first corner
        {{4334, 2219}, forms::MousePointer::Hand},     // ... and its last
        {{300, 2000}, forms::MousePointer::Default},   // the address's left end
        {{4400, 2000}, forms::MousePointer::Default},  // its right end
        {{2400, 1930}, forms::MousePointer::Default},  // just above the area
        {{2400, 1000}, forms::MousePointer::Default},  // the version
        {{600, 500}, forms::MousePointer::Default},    // the icon
    };
    for (const auto& c : cases) {
        EXPECT_EQ(w.pointerAt(c.at), c.pointer) << c.at.x << "," << c.at.y;
    }
}

TEST_F(AboutWindow, AClickOnTheAddressOpensTheHomePageAndClosesTheWindow) {
    FrmVerInfo& w = open();
    userClick(w, kAddress);
    ASSERT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_TRUE(
        sim.log.contains("shellExecute owner=frmVerInfo verb= "
                         "file=https://quorvel.example.org/ parameters= directory= show=1"));
    EXPECT_EQ(about(), nullptr);
    EXPECT_FALSE(onScreen());
}

TEST_F(AboutWindow, AnAddressThatCannotBeOpenedClosesTheWindowWithoutAWord) {
    sim.shell.failing = {std::string(FrmVerInfo::kHomePage)};
    userClick(open(), kAddress);
    EXPECT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_EQ(about(), nullptr);
    EXPECT_TRUE(sim.dialogs.messages.empty());
}

TEST_F(AboutWindow, ClicksBesideTheClickAreaDoNothing) {
    FrmVerInfo& w = open();
    for (const forms::Point at : {forms::Point{300, 2000}, forms::Point{4400, 2000},
                                  forms::Point{2400, 1000}, forms::Point{600, 500}}) {
        userClick(w, at);
    }
    EXPECT_TRUE(sim.shell.executed.empty());
    EXPECT_EQ(about(), &w);
    EXPECT_TRUE(w.visible());
}

// The address, painted as it is, is a stop of its own after "O K" in the Tab order.
TEST_F(AboutWindow, TheAddressOpensFromTheKeyboardAfterOK) {
    FrmVerInfo& w = open();
    forms::ItemRow& address = w.itemRow("Address");
    EXPECT_GT(address.tabIndex(), w.button("Command1").tabIndex());
    sim.dispatch([&] { address.focusChanged(true); });
    sim.dispatch([&] { address.keyDown({forms::Key::Space}); });
    ASSERT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_EQ(sim.shell.executed[0].file, FrmVerInfo::kHomePage);
    EXPECT_FALSE(onScreen());
}

}  // namespace
}  // namespace quorvel::testing
