#include <gtest/gtest.h>

#include <string>

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
    void close(const char* reason) {
        panel().textField("Dcon").setText(reason);
        panel().command("cmdDSml").press();
    }
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
    close("on");
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
    close("");
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
    close("on");
    sim.clock.advance(10);
    ASSERT_TRUE(dock().visible());
    panel().command("cmdDLrg").press();
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
    EXPECT_EQ(panel().image("OPD").picture()->source(), "builtin:PanelButton");
    EXPECT_EQ(panel().image("Image1").picture()->source(), "builtin:PanelFourFrames");
    EXPECT_EQ(panel().image("OP").left(), 0);
    EXPECT_EQ(panel().textField("FWdth").text(), model().FWdth);
}

TEST_F(FrmBtnLook, OpenButtonPictureReplacesTheBuiltInOne) {
    auto set = sampleSet(1);
    set.OpnB = "C:\\icons\\open.ico";
    store(set, 1);
    start();
    ASSERT_NE(panel().image("OP").picture(), nullptr);
    EXPECT_EQ(panel().image("OP").picture()->source(), "C:\\icons\\open.ico");
    EXPECT_EQ(panel().image("OPD").top(), 960);
}

}  // namespace
}  // namespace quorvel::testing
