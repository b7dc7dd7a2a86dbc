#include <gtest/gtest.h>

#include <string>

#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

class BarFlash : public BarFixture {
protected:
    void SetUp() override {
        store(sampleSet(5), 1);
        startOpen();
    }
    void clickSlot(int n) { userClick(dock(), {settings::slotLeft(n) + 10, 200}); }
};

TEST_F(BarFlash, AClickedSlotHidesAndShowsThreeTimesOver2400Milliseconds) {
    clickSlot(3);
    EXPECT_EQ(model().Text1, "L3");
    // visible after each 400 ms step: hidden at 400, 1200, 2000; shown at 800, 1600, 2400
    const bool expected[] = {false, true, false, true, false, true};
    for (int step = 0; step < 6; ++step) {
        sim.clock.advance(399);
        EXPECT_EQ(dock().slotImage(3).visible(), step == 0 || expected[step - 1]) << step;
        sim.clock.advance(1);
        EXPECT_EQ(dock().slotImage(3).visible(), expected[step]) << step;
        EXPECT_EQ(model().txtCount, std::to_string(step + 1));
    }
    EXPECT_EQ(model().Text1, "");
    for (int t = 1; t <= 4; ++t) {
        EXPECT_FALSE(dock().timer("Timer" + std::to_string(t)).running()) << t;
    }
    // Nothing flashes on afterwards.
    sim.clock.advance(5000);
    EXPECT_TRUE(dock().slotImage(3).visible());
    EXPECT_EQ(model().txtCount, "6");
}

// Each step fires once: the timer of a step is still armed when the next step's timer is
// due, and must not run a second time in the same 400 ms.
TEST_F(BarFlash, NoStepRunsTwice) {
    int visibilityChanges = 0;
    bool last = true;
    clickSlot(2);
    sim.clock.afterTick = [&] {
        if (dock().slotImage(2).visible() != last) {
            last = !last;
            ++visibilityChanges;
        }
    };
    sim.clock.advance(3000);
    EXPECT_EQ(visibilityChanges, 6);
}

TEST_F(BarFlash, ANewClickShowsTheOldItemAtOnceAndFlashesTheNewOne) {
    clickSlot(3);
    sim.clock.advance(400);
    ASSERT_FALSE(dock().slotImage(3).visible());
    clickSlot(5);
    EXPECT_TRUE(dock().slotImage(3).visible());
    EXPECT_EQ(model().Text1, "L5");
    EXPECT_EQ(model().txtCount, "0");
    sim.clock.advance(400);
    EXPECT_FALSE(dock().slotImage(5).visible());
    EXPECT_TRUE(dock().slotImage(3).visible());
    sim.clock.advance(2000);
    EXPECT_TRUE(dock().slotImage(5).visible());
    EXPECT_EQ(model().Text1, "");
    EXPECT_EQ(model().txtCount, "6");
}

TEST_F(BarFlash, MyComputerInterruptsAFlashingSlot) {
    clickSlot(1);
    sim.clock.advance(400);
    userClick(dock(), {400, 200});  // the built-in My Computer picture stands over ImgMC
    EXPECT_TRUE(dock().slotImage(1).visible());
    EXPECT_EQ(model().Text1, "MCD");
    sim.clock.advance(400);
    EXPECT_FALSE(image("MCD").visible());
    sim.clock.advance(2000);
    EXPECT_TRUE(image("MCD").visible());
}

TEST_F(BarFlash, ATargetNamingNoImageOnlyCounts) {
    model().Text1 = "XX";
    model().txtCount = "0";
    dock().timer("Timer1").start(400);
    sim.clock.advance(2400);
    EXPECT_EQ(model().txtCount, "6");
    EXPECT_EQ(model().Text1, "");
}

// The flash also sets the bin's pictures from the last count.
TEST_F(BarFlash, TheFlashShowsTheBinPairOfTheLastCount) {
    dock().textField("txtRBin").setText("4");
    image("ImgRBinEmp").setVisible(true);
    image("ImgRBinFll").setVisible(false);
    clickSlot(1);
    EXPECT_TRUE(image("ImgRBinFll").visible());
    EXPECT_TRUE(image("RBFD").visible());
    EXPECT_FALSE(image("ImgRBinEmp").visible());
    EXPECT_FALSE(image("RBED").visible());
}

}  // namespace
}  // namespace quorvel::testing
