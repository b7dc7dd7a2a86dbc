// A change of the screen (resolution, DPI, a monitor added or removed) or of the taskbar (moved,
// resized) places the bar where a restart would, with its panel and name popup.
#include <gtest/gtest.h>

#include <string>

#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

struct ScreenChange {
    const char* name;
    const char* dockPos;
    const char* taskB;
    forms::Twips width;
    forms::Twips height;
    platform::PixelRect taskbar;
};

class BarOnScreenChange : public BarFixture, public ::testing::WithParamInterface<ScreenChange> {
protected:
    struct Place {
        forms::Twips barLeft, barTop, panelLeft, panelTop;
        bool operator==(const Place&) const = default;
    };
    Place place() { return {dock().left(), dock().top(), panel().left(), panel().top()}; }
};

class BarScreen : public BarFixture {};

TEST_P(BarOnScreenChange, PlacesTheBarAsARestartWould) {
    const ScreenChange& c = GetParam();
    auto set = sampleSet(6);
    set.DockPos = c.dockPos;
    set.TaskB = c.taskB;
    store(set, 1);
    startOpen();
    const Place before = place();

    sim.screen.width = c.width;
    sim.screen.height = c.height;
    sim.screen.rect = c.taskbar;
    sim.dispatch([this] { program->screenChanged(); });
    const Place after = place();
    EXPECT_NE(after, before);
    EXPECT_EQ(dock().width(), settings::slotLeft(7)) << "the bar stays open";

    restart();
    EXPECT_EQ(place(), after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BarOnScreenChange,
    ::testing::Values(
        // 1280 x 1024 to 1920 x 1080, the taskbar along the new bottom edge.
        ScreenChange{"TopBarWiderScreen", "上", "表示", 28800, 16200, {0, 1050, 1920, 1080}},
        ScreenChange{"BottomBarWiderScreen", "下", "表示", 28800, 16200, {0, 1050, 1920, 1080}},
        ScreenChange{"BottomBarTallerTaskbar", "下", "表示", 19200, 15360, {0, 964, 1280, 1024}},
        ScreenChange{"BottomBarHiddenTaskbar", "下", "非表示", 12000, 9000, {0, 570, 800, 600}},
        // The same screen at 144 dpi: fewer twips across, as the system now counts them.
        ScreenChange{"HigherDpi", "下", "表示", 12800, 10240, {0, 994, 1280, 1024}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(BarScreen, AScreenChangeKeepsABottomBarJustAboveTheTaskbar) {
    auto set = sampleSet(3);
    set.DockPos = "下";
    store(set, 1);
    startOpen();
    sim.screen.width = 24000;
    sim.screen.height = 18000;
    sim.screen.rect = platform::PixelRect{0, 1160, 1600, 1200};
    sim.dispatch([this] { program->screenChanged(); });
    EXPECT_EQ(model().BarSize, "600");
    EXPECT_EQ(dock().top(), 18000 - 600 - 735 - 5);
    EXPECT_EQ(dock().left(), 24000 / 2 - settings::slotLeft(4) / 2);
    EXPECT_EQ(panel().left(), dock().left() - 225);
    EXPECT_EQ(panel().top(), dock().top() + 50);
}

TEST_F(BarScreen, ATaskbarThatMovesAfterTheChangeIsFollowedAndThenLeftAlone) {
    auto set = sampleSet(3);
    set.DockPos = "下";
    store(set, 1);
    startOpen();
    sim.screen.height = 18000;
    sim.dispatch([this] { program->screenChanged(); });
    const forms::Twips first = dock().top();
    // The shell lays its taskbar out again a moment later, taller and at the new edge.
    sim.clock.advance(300);
    sim.screen.rect = platform::PixelRect{0, 1140, 1280, 1200};
    sim.clock.advance(1500);
    EXPECT_EQ(dock().top(), 18000 - 900 - 735 - 5);
    EXPECT_NE(dock().top(), first);
    EXPECT_FALSE(dock().timer("tmeScreen").running()) << "nothing keeps measuring";
    // Later changes of the shell's answer alone are not picked up: only a change announced is.
    sim.screen.rect = platform::PixelRect{0, 1100, 1280, 1200};
    sim.clock.advance(5000);
    EXPECT_EQ(dock().top(), 18000 - 900 - 735 - 5);
}

TEST_F(BarScreen, TheNameOnShowMovesWithTheBar) {
    store(sampleSet(3), 1);
    startOpen();
    userMove(dock(), pos(image("IL2").bounds()));
    sim.clock.advance(100);
    ASSERT_TRUE(popup().visible());
    const forms::Twips dx = popup().left() - dock().left();
    const forms::Twips dy = popup().top() - dock().top();
    sim.screen.width = 28800;
    sim.screen.height = 16200;
    sim.dispatch([this] { program->screenChanged(); });
    EXPECT_EQ(popup().left() - dock().left(), dx);
    EXPECT_EQ(popup().top() - dock().top(), dy);
}

TEST_F(BarScreen, ABarThatLoadedNothingIsNotMovedButStaysOnTheScreen) {
    sim.identity.user.reset();
    // A primary monitor above and right of the origin.
    sim.screen.left = 19200;
    sim.screen.top = -4500;
    start();
    const forms::Rect before = dock().bounds();
    sim.screen.width = 28800;
    sim.dispatch([this] { program->screenChanged(); });
    EXPECT_EQ(dock().bounds(), before);

    // The primary monitor is now at the origin: the bar comes onto it, and a restart lays it
    // out there.
    sim.screen.left = 0;
    sim.screen.top = 0;
    sim.dispatch([this] { program->screenChanged(); });
    EXPECT_GE(dock().top(), 0);
    EXPECT_LE(dock().left() + dock().width(), 28800);
    sim.dispatch([this] { dock().textField("txtSvSw").setText("1"); });
    EXPECT_GE(dock().left(), 0);
    EXPECT_GE(dock().top(), 0);
}

TEST_F(BarScreen, AClosedBarStaysClosedWhereverTheScreenPutsIt) {
    store(sampleSet(3), 1);
    startOpen();
    userClick(dock(), pos(image("ClsD").bounds()));
    sim.clock.advance(settle);
    ASSERT_FALSE(dock().visible());
    sim.screen.width = 28800;
    sim.dispatch([this] { program->screenChanged(); });
    sim.clock.advance(2000);
    EXPECT_FALSE(dock().visible());
    EXPECT_EQ(dock().left(), 28800 / 2 - settings::slotLeft(4) / 2);
}

TEST_F(BarScreen, ATaskbarTheShellShowsAgainForTheNewScreenIsHiddenAgain) {
    auto set = sampleSet(3);
    set.DockPos = "下";
    set.TaskB = "非表示";
    store(set, 1);
    startOpen();
    ASSERT_FALSE(sim.screen.taskbarVisible);
    sim.screen.height = 18000;
    sim.screen.taskbarVisible = true;  // laid out afresh for the new screen, and shown
    sim.dispatch([this] { program->screenChanged(); });
    EXPECT_FALSE(sim.screen.taskbarVisible);
    // And when the shell shows it only a moment later.
    sim.clock.advance(200);
    sim.screen.taskbarVisible = true;
    sim.clock.advance(1500);
    EXPECT_FALSE(sim.screen.taskbarVisible);
    EXPECT_EQ(dock().top(), 18000 - 735 - 5);
}

TEST_F(BarScreen, AShownTaskbarIsLeftAsTheShellHasIt) {
    store(sampleSet(3), 1);
    startOpen();
    const std::size_t calls = sim.screen.showCalls.size();
    sim.dispatch([this] { program->screenChanged(); });
    sim.clock.advance(2000);
    EXPECT_EQ(sim.screen.showCalls.size(), calls);
}

}  // namespace
}  // namespace quorvel::testing
