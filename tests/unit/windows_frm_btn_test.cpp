#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/bar_numbers.h"
#include "found.h"
#include "menu/frm_menu.h"
#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

class FrmBtnAnimation : public BarFixture {
protected:
    // Starts a bar whose full width is `fwdth`, with the opening animation not yet run.
    void startWith(const std::string& fwdth) {
        auto set = sampleSet(settings::kSlotCount);
        set.FWdth = fwdth;
        store(set, 1);
        start();
    }
    void close(window_api::SwitchPanel::AfterClosing after) { panel().cmdDSml(after); }
};

TEST_F(FrmBtnAnimation, OpensToTheFullWidthIn55Steps) {
    startWith("12495");
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), 2);
    sim.clock.advance(54);
    EXPECT_EQ(dock().width(), 12422);
    EXPECT_TRUE(panel().timer("Timer1").running());
    sim.clock.advance(1);
    EXPECT_EQ(dock().width(), 12495);
    EXPECT_FALSE(panel().timer("Timer1").running());
}

TEST_F(FrmBtnAnimation, ANarrowBarOpensInOneStep) {
    startWith("240");
    sim.clock.advance(1);
    EXPECT_EQ(dock().width(), 240);
    EXPECT_FALSE(panel().timer("Timer1").running());
}

TEST_F(FrmBtnAnimation, CloseButtonShrinksAndHidesWithoutReloading) {
    startWith("12495");
    sim.clock.advance(settle);
    close(window_api::SwitchPanel::AfterClosing::StayClosed);
    sim.clock.advance(54);
    EXPECT_EQ(dock().width(), 75);
    EXPECT_TRUE(dock().visible());
    sim.clock.advance(1);
    EXPECT_FALSE(dock().visible());
    EXPECT_FALSE(panel().timer("Timer2").running());
    sim.clock.advance(settle);
    EXPECT_FALSE(dock().visible());
    EXPECT_EQ(sim.windows.creations("frmBTN"), 1);
}

TEST_F(FrmBtnAnimation, ASetChangeReloadsFromInsideTheClosingTick) {
    startWith("12495");
    sim.clock.advance(settle);
    model().RNo = "3";
    close(window_api::SwitchPanel::AfterClosing::Restart);
    sim.clock.advance(55);
    // The panel that ran the closing tick was replaced and then destroyed after the tick.
    EXPECT_EQ(sim.windows.creations("frmBTN"), 2);
    EXPECT_EQ(sim.windows.live("frmBTN"), &panel());
    EXPECT_EQ(model().RNo, "3");
    EXPECT_EQ(model().FWdth, "2280");  // set 3 is not stored
    sim.clock.advance(settle);
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), 2280);
}

// The close button pressed while the bar is still opening, and the panel's button pressed
// while it is still closing: each movement takes over from the other, none jams half open.
TEST_F(FrmBtnAnimation, ClosingWhileOpeningTakesOverAndEndsHidden) {
    startWith("12495");
    sim.clock.advance(10);
    ASSERT_TRUE(panel().timer("Timer1").running());
    sim.dispatch([&] { dock().image("ClsBtn").events.onClick(); });
    EXPECT_FALSE(panel().timer("Timer1").running());
    sim.clock.advance(settle);
    EXPECT_FALSE(dock().visible());
    EXPECT_FALSE(panel().timer("Timer1").running());
    EXPECT_FALSE(panel().timer("Timer2").running());
}

TEST_F(FrmBtnAnimation, OpeningWhileClosingTakesOverAndEndsOpen) {
    startWith("12495");
    sim.clock.advance(settle);
    close(window_api::SwitchPanel::AfterClosing::StayClosed);
    sim.clock.advance(10);
    ASSERT_TRUE(dock().visible());
    panel().cmdDLrg(panel().openingWidth());
    EXPECT_FALSE(panel().timer("Timer2").running());
    sim.clock.advance(settle);
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), 12495);
    EXPECT_FALSE(panel().timer("Timer1").running());
    EXPECT_FALSE(panel().timer("Timer2").running());
}

TEST_F(FrmBtnAnimation, OpenButtonOnlyActsOnAHiddenBar) {
    startWith("4080");
    sim.clock.advance(settle);
    panel().mouseDown(forms::MouseButton::Left, {10, 10});
    panel().mouseUp(forms::MouseButton::Left, {10, 10});
    EXPECT_FALSE(panel().timer("Timer1").running());
    EXPECT_EQ(dock().width(), 4080);

    dock().hide();
    panel().mouseDown(forms::MouseButton::Left, {10, 10});
    panel().mouseUp(forms::MouseButton::Left, {10, 10});
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), 2);
    sim.clock.advance(settle);
    EXPECT_EQ(dock().width(), 4080);
}

class FrmBtnLook : public BarFixture {};

TEST_F(FrmBtnLook, BuiltInOpenButtonShowsWithoutAPictureOfTheUsersOwn) {
    store(sampleSet(1), 1);
    start();
    EXPECT_EQ(panel().bounds().width, 225);
    EXPECT_EQ(panel().bounds().height, 225);
    EXPECT_EQ(panel().backColor(), 0xC0C0C0U);
    EXPECT_TRUE(panel().topmost());
    EXPECT_EQ(pos(panel().image("OPD").bounds()), (forms::Point{0, 0}));
    EXPECT_EQ(pictureSource(panel().image("OPD")), "builtin:PanelButton");
    EXPECT_EQ(pictureSource(panel().image("Image1")), "builtin:PanelFourFrames");
    EXPECT_EQ(panel().image("OP").left(), 0);
    EXPECT_EQ(panel().openingWidth(), bar::fullWidthOf(model().FWdth));
}

TEST_F(FrmBtnLook, OpenButtonPictureReplacesTheBuiltInOne) {
    auto set = sampleSet(1);
    set.OpnB = "C:\\icons\\open.ico";
    store(set, 1);
    start();
    ASSERT_NE(panel().image("OP").picture(), nullptr);
    EXPECT_EQ(pictureSource(panel().image("OP")), "C:\\icons\\open.ico");
    EXPECT_EQ(panel().image("OPD").top(), 960);
}

TEST_F(FrmBtnLook, AnUnreadableOpenButtonPictureLeavesTheBuiltInButtonsShowing) {
    auto set = sampleSet(1);
    set.OpnB = "C:\\icons\\gone.ico";
    sim.pictures.bad = {set.OpnB};
    store(set, 1);
    start();
    EXPECT_EQ(panel().image("OPD").top(), 0);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(panel().builtinSetButton(k).top(), 0) << k;
    }
}

// The four set buttons: without a picture of the user's own the built-in light-blue buttons
// stand where the set pictures are; with one, every set button shows it and the built-in ones
// wait out of sight. The labels "1".."4" stand over them in white.
TEST_F(FrmBtnLook, SetButtonsShowTheBuiltInButtonsOrTheUsersPicture) {
    const forms::Twips lefts[] = {0, 225, 435, 660};
    const forms::Twips labelLefts[] = {60, 300, 510, 720};
    store(sampleSet(1), 1);
    start();
    for (int k = 1; k <= 4; ++k) {
        const forms::Image& builtin = panel().builtinSetButton(k);
        EXPECT_EQ(pos(builtin.bounds()), (forms::Point{lefts[k - 1], 0})) << k;
        EXPECT_EQ(pictureSource(builtin), "builtin:PanelButton") << k;
        EXPECT_EQ(panel().setButton(k).left(), lefts[k - 1]) << k;
        EXPECT_EQ(panel().setButton(k).picture(), nullptr) << k;
        const forms::Label& label = panel().label("Label" + std::to_string(k));
        EXPECT_EQ(label.caption(), std::to_string(k));
        EXPECT_EQ(label.foreColor(), 0xFFFFFFU);
        EXPECT_EQ(pos(label.bounds()), (forms::Point{labelLefts[k - 1], 30}));
    }

    auto set = sampleSet(1);
    set.OpnB = "C:\\icons\\open.ico";
    store(set, 1);
    restart();
    for (int k = 1; k <= 4; ++k) {
        ASSERT_NE(panel().setButton(k).picture(), nullptr) << k;
        EXPECT_EQ(pictureSource(panel().setButton(k)), "C:\\icons\\open.ico");
        EXPECT_EQ(panel().builtinSetButton(k).top(), 960) << k;
    }
}

struct BorderCase {
    const char* rno;
    const char* borders;  // border style of sets 1..4
};

class FrmBtnBorders : public BarFixture, public ::testing::WithParamInterface<BorderCase> {};

TEST_P(FrmBtnBorders, TheCurrentSetHasNoFrameAndTheOthersAThinOne) {
    store(sampleSet(1), 1);
    start();
    model().RNo = GetParam().rno;
    program->windows().unloadSwitchPanel();
    sim.dispatch([] {});
    std::string borders;
    for (int k = 1; k <= 4; ++k) {
        const int style = panel().setButton(k).borderStyle();
        EXPECT_EQ(panel().builtinSetButton(k).borderStyle(), style) << k;
        borders += std::to_string(style);
    }
    EXPECT_EQ(borders, GetParam().borders) << "RNo=" << GetParam().rno;
}

INSTANTIATE_TEST_SUITE_P(RNo, FrmBtnBorders,
                         ::testing::Values(BorderCase{"1", "0111"}, BorderCase{"3", "1101"},
                                           BorderCase{"4", "1110"},
                                           // No set named: the borders stay as they were made.
                                           BorderCase{"", "0000"}, BorderCase{"7", "0000"}));

// A panel made for a bar on three stored sets, opened and at rest.
class SwitchPanel : public BarFixture {
protected:
    static constexpr forms::Point kOpenButton{100, 100};  // the folded panel's only button

    void SetUp() override {
        for (int n = 1; n <= 3; ++n) {
            auto set = sampleSet(n + 1);
            set.L[0].N = "セット" + std::to_string(n) + "の最初";
            store(set, n);
        }
        startOpen();
        barLeft = dock().left();
    }

    // The panel's width, its left edge against the bar and the open button's left, tick by
    // tick, for `ms` milliseconds.
    struct Step {
        forms::Twips width;
        forms::Twips gap;  // bar left - panel left - panel width: 0 while it stays against it
        forms::Twips button;
        friend bool operator==(const Step&, const Step&) = default;
    };
    std::vector<Step> watch(std::uint64_t ms) {
        std::vector<Step> steps;
        forms::Twips last = panel().width();
        sim.clock.afterTick = [&] {
            if (panel().width() != last) {
                last = panel().width();
                steps.push_back(now());
            }
        };
        sim.clock.advance(ms);
        sim.clock.afterTick = nullptr;
        return steps;
    }
    Step now() {
        return {panel().width(), barLeft - panel().left() - panel().width(),
                panel().image("Image1").left()};
    }
    // Waits out the fold that every new panel makes three seconds after it was made.
    void restAfterCreation() { sim.clock.advance(FrmBtn::kFirstFoldDelayMs); }
    void unfold() {
        userMove(panel(), {panel().image("Image1").left() + 100, 100});
        sim.clock.advance(200);
        ASSERT_EQ(panel().width(), 1110);
    }
    void rightPress(forms::Point at) { userPress(panel(), forms::MouseButton::Right, at); }
    std::string itemEntries() {
        std::string shown;
        for (const char* name :
             {"Emp", "SysIfo", "CtPanel", "SepIn", "tmgr", "ClnUp", "ClipBoadClr"}) {
            shown += program->windows().frmMenu().menuItem(name).visible() ? '1' : '0';
        }
        return shown;
    }

    using FrmBtn = windows::FrmBtn;
    forms::Twips barLeft = 0;
};

// A screen reader reads the folded panel as its open button, the open one as the four sets.
TEST_F(SwitchPanel, ItsButtonsAreNamedAfterTheSetsTheyOpenWhileThePanelStandsOpen) {
    restAfterCreation();
    const forms::ItemRow& buttons = *panel().windowRow();
    const auto names = [&] {
        std::vector<std::string> said;
        for (std::size_t i : buttons.shown()) {
            said.push_back(buttons.items()[i].name());
        }
        return said;
    };
    EXPECT_EQ(names(), std::vector<std::string>{"開く"});
    sim.dispatch([this] { dock().model().LN[1] = "仕事"; });
    unfold();
    EXPECT_EQ(names(), (std::vector<std::string>{"ランチャー1", "仕事", "ランチャー3",
                                                 "ランチャー4", "開く"}));
    EXPECT_FALSE(buttons.takesKeys());
}

TEST_F(SwitchPanel, UnfoldsInEightStepsOfAHundredThenSnapsOpen) {
    restAfterCreation();
    EXPECT_EQ(now(), (Step{225, 0, 0}));
    userMove(panel(), kOpenButton);
    EXPECT_TRUE(panel().timer("Timer4").running());
    EXPECT_EQ(panel().timer("Timer4").interval(), 10U);
    const std::vector<Step> expected = {
        {325, 0, 100}, {425, 0, 200}, {525, 0, 300},  {625, 0, 400},  {725, 0, 500},
        {825, 0, 600}, {925, 0, 700}, {1025, 0, 800}, {1110, 0, 880},
    };
    EXPECT_EQ(watch(90), expected);
    EXPECT_FALSE(panel().timer("Timer4").running());
    EXPECT_EQ(panel().timer("Timer5").interval(), 4500U);
    EXPECT_TRUE(panel().timer("Timer5").running());
    // The open button stayed where it was on the screen all along, but for the snap, which
    // leaves it a third of a pixel to the left.
    EXPECT_EQ(panel().left() + panel().image("Image1").left(), barLeft - 230);
}

TEST_F(SwitchPanel, FoldsFourAndAHalfSecondsLaterEvenWithThePointerOnIt) {
    restAfterCreation();
    unfold();
    // The pointer rests on the open button and moves a little now and then: the panel is not
    // folded, so nothing starts again.
    for (int i = 0; i < 4; ++i) {
        sim.clock.advance(1000);
        userMove(panel(), {panel().image("Image1").left() + 20 * i, 100});
        EXPECT_FALSE(panel().timer("Timer4").running());
    }
    EXPECT_EQ(panel().width(), 1110);
    sim.clock.advance(280);  // 4.39 s after it opened
    EXPECT_EQ(panel().width(), 1110);
    const std::vector<Step> expected = {
        {1010, 0, 780}, {910, 0, 680}, {810, 0, 580}, {710, 0, 480}, {610, 0, 380},
        {510, 0, 280},  {410, 0, 180}, {310, 0, 80},  {225, 0, 0},
    };
    EXPECT_EQ(watch(300), expected);
    EXPECT_FALSE(panel().timer("Timer3").running());
    EXPECT_FALSE(panel().timer("Timer5").running());
    // Folded, the open button is under the pointer again: the next move unfolds once more.
    userMove(panel(), kOpenButton);
    EXPECT_TRUE(panel().timer("Timer4").running());
}

TEST_F(SwitchPanel, PointingWhileItUnfoldsDoesNotStartItAgain) {
    restAfterCreation();
    userMove(panel(), kOpenButton);
    sim.clock.advance(35);
    ASSERT_EQ(panel().width(), 525);
    userMove(panel(), {panel().image("Image1").left() + 50, 100});
    // The run goes on at its own pace: the next step is 10 ms after the last one, not after
    // the move.
    sim.clock.advance(5);
    EXPECT_EQ(panel().width(), 625);
    sim.clock.advance(60);
    EXPECT_EQ(panel().width(), 1110);
}

TEST_F(SwitchPanel, TheNewPanelSnapsAgainstTheBarThreeSecondsAfterItWasMade) {
    EXPECT_EQ(panel().timer("Timer5").interval(), 3000U);
    EXPECT_TRUE(panel().timer("Timer5").running());
    // Made in the middle of the bar's opening, three seconds later it folds: one step that
    // finds it folded already and puts it against the bar's left edge.
    panel().setLeft(barLeft - 2000);
    sim.clock.advance(FrmBtn::kFirstFoldDelayMs - 1 - settle);
    EXPECT_EQ(panel().left(), barLeft - 2000);
    sim.clock.advance(11);
    EXPECT_EQ(now(), (Step{225, 0, 0}));
    EXPECT_FALSE(panel().timer("Timer3").running());
    EXPECT_FALSE(panel().timer("Timer5").running());
}

// The first fold is due three seconds after the panel was made, and a person may point at the
// panel just before: the fold must wait until the unfolding is over and the panel has been
// open for its 4.5 s, not fight the unfolding step for step.
TEST_F(SwitchPanel, TheFirstFoldFallingDuringAnUnfoldWaitsForTheUnfoldToEnd) {
    sim.clock.advance(FrmBtn::kFirstFoldDelayMs - settle - 50);  // 50 ms before the fold
    userMove(panel(), kOpenButton);
    const std::vector<Step> steps = watch(200);
    ASSERT_FALSE(steps.empty());
    for (std::size_t i = 1; i < steps.size(); ++i) {
        EXPECT_GT(steps[i].width, steps[i - 1].width) << "step " << i;
    }
    EXPECT_EQ(now(), (Step{1110, 0, 880}));
    EXPECT_FALSE(panel().timer("Timer3").running());
    EXPECT_FALSE(panel().timer("Timer4").running());
    sim.clock.advance(4000);
    EXPECT_EQ(panel().width(), 1110);
    sim.clock.advance(600);
    EXPECT_EQ(panel().width(), 225);
}

TEST_F(SwitchPanel, ASetButtonSetsRNoOnlyAndTheBarComesBackWithThatSet) {
    restAfterCreation();
    unfold();
    ASSERT_EQ(model().L[0].N, "セット1の最初");
    // A closing by the close button had begun: the set button's own closing ends in the restart.
    panel().cmdDSml(window_api::SwitchPanel::AfterClosing::StayClosed);
    userClick(panel(), {350, 100});  // the label "2"
    EXPECT_EQ(model().RNo, "2");
    EXPECT_EQ(model().MRNo, "");
    EXPECT_EQ(panel().afterClosing(), window_api::SwitchPanel::AfterClosing::Restart);
    EXPECT_EQ(panel().setButton(2).borderStyle(), 0);
    EXPECT_EQ(panel().setButton(1).borderStyle(), 1);
    EXPECT_TRUE(panel().timer("Timer2").running());
    sim.clock.advance(settle);
    EXPECT_EQ(sim.windows.creations("frmBTN"), 2);
    EXPECT_EQ(model().L[0].N, "セット2の最初");
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), settings::slotLeft(4));
    EXPECT_EQ(model().MRNo, "");
}

TEST_F(SwitchPanel, TheCurrentSetsButtonOnlyBringsAHiddenBarBack) {
    restAfterCreation();
    unfold();
    userClick(panel(), {100, 100});  // the label "1" of the current set
    EXPECT_FALSE(panel().timer("Timer1").running());
    EXPECT_FALSE(panel().timer("Timer2").running());
    EXPECT_EQ(sim.windows.creations("frmBTN"), 1);

    sim.dispatch([&] { dock().image("ClsBtn").events.onClick(); });
    sim.clock.advance(settle);
    ASSERT_FALSE(dock().visible());
    userClick(panel(), {20, 20});
    EXPECT_TRUE(dock().visible());
    sim.clock.advance(settle);
    EXPECT_EQ(dock().width(), settings::slotLeft(3));
    EXPECT_EQ(sim.windows.creations("frmBTN"), 1);  // no restart
}

TEST_F(SwitchPanel, TheRightButtonOnTheLabelsAndTheFirstButtonOpensTheMenuAsOnTheBackground) {
    restAfterCreation();
    unfold();
    // The task manager, cleanup and clipboard entries stay as the last press on the bar left
    // them; the four item entries are hidden.
    userPress(dock(), forms::MouseButton::Right, {400, 200});  // My Computer
    ASSERT_EQ(itemEntries(), "0110111");
    rightPress({100, 100});  // the label "1"
    ASSERT_EQ(sim.windows.menusShown.size(), 2U);
    EXPECT_EQ(sim.windows.menusShown.back().owner, "frmMenu");
    EXPECT_EQ(itemEntries(), "0000111");
    rightPress({750, 100});  // the label "4"
    rightPress({20, 20});    // set 1's own picture
    EXPECT_EQ(sim.windows.menusShown.size(), 4U);
    // The other set pictures and the open button open nothing; a left press neither.
    rightPress({250, 200});
    rightPress({1000, 100});
    userClick(panel(), {100, 100});
    EXPECT_EQ(sim.windows.menusShown.size(), 4U);
}

}  // namespace
}  // namespace quorvel::testing
