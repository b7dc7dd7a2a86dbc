#include <gtest/gtest.h>

#include <string>

#include "found.h"
#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

class BarLayout : public BarFixture {};

struct PlacementCase {
    const char* dockPos;
    const char* taskB;
    forms::Twips top;
    bool taskbarVisible;
};

class BarPlacement : public BarFixture, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(BarPlacement, SitsAtItsEdgeCentredAtFullWidth) {
    auto set = sampleSet(5);
    set.DockPos = GetParam().dockPos;
    set.TaskB = GetParam().taskB;
    store(set, 1);
    startOpen();
    EXPECT_EQ(dock().top(), GetParam().top);
    EXPECT_EQ(dock().left(), 19200 / 2 - 5280 / 2);
    EXPECT_EQ(sim.screen.taskbarVisible, GetParam().taskbarVisible);
    EXPECT_EQ(image("TaskBDwn").visible(), GetParam().taskbarVisible);
    EXPECT_EQ(image("TaskBUp").visible(), !GetParam().taskbarVisible);
    EXPECT_EQ(panel().top(), dock().top() + 50);
}

// 1024-pixel screen (15360 twips), 30-pixel taskbar (450 twips), bar 735 high.
INSTANTIATE_TEST_SUITE_P(Edges, BarPlacement,
                         ::testing::Values(PlacementCase{"上", "表示", 15360 / 995, true},
                                           PlacementCase{"上", "非表示", 15360 / 995, false},
                                           PlacementCase{"下", "表示", 15360 - 450 - 735 - 5, true},
                                           PlacementCase{"下", "非表示", 15360 - 735 - 5, false},
                                           PlacementCase{"", "", 15360 / 995, true}));

// Desks unlike the test screen: the bar stays where its rules put it as long as that leaves it
// usable, and otherwise moves only as far as it takes for its left end and its open panel to be
// on the screen and off a shown taskbar.
struct Desk {
    const char* name;
    forms::Rect screen;
    platform::PixelRect taskbar;
    const char* dockPos;
    const char* taskB;
    int links;
    forms::Twips left;
    forms::Twips top;
};

class BarOnDesk : public BarFixture, public ::testing::WithParamInterface<Desk> {};

TEST_P(BarOnDesk, KeepsItsLeftEndAndPanelOnTheScreen) {
    const Desk& d = GetParam();
    sim.screen.left = d.screen.left;
    sim.screen.top = d.screen.top;
    sim.screen.width = d.screen.width;
    sim.screen.height = d.screen.height;
    sim.screen.rect = d.taskbar;
    auto set = sampleSet(d.links);
    set.DockPos = d.dockPos;
    set.TaskB = d.taskB;
    store(set, 1);
    startOpen();
    EXPECT_EQ(dock().left(), d.left);
    EXPECT_EQ(dock().top(), d.top);
    // Opened, the panel stays on the screen, and the name of the first item does too.
    userMove(panel(), {100, 100});
    sim.clock.advance(200);
    ASSERT_EQ(panel().width(), 1110);
    EXPECT_GE(panel().left(), d.screen.left);
    userMove(dock(), pos(image("MCD").bounds()));
    EXPECT_GE(popup().left(), d.screen.left);
    EXPECT_LE(popup().left() + popup().width(), d.screen.left + d.screen.width);
}

// 1024 x 768 pixels are 15360 x 11520 twips, 800 x 600 are 12000 x 9000; 17 links make the bar
// 12495 wide and centre it at 1433 on the wider screen; 1110 keeps the open panel on a screen.
constexpr forms::Rect kXga{0, 0, 15360, 11520};
constexpr forms::Rect kSvga{0, 0, 12000, 9000};
constexpr forms::Rect kVga{0, 0, 9600, 7200};
// An 800 x 600 primary monitor right of and below another monitor's origin.
constexpr forms::Rect kAway{28800, 4500, 12000, 9000};
constexpr platform::PixelRect kAwayBottom{1920, 870, 2720, 900};
constexpr platform::PixelRect kBottom{0, 738, 1024, 768};
constexpr platform::PixelRect kLeft{0, 0, 60, 768};
constexpr platform::PixelRect kTop{0, 0, 1024, 30};

INSTANTIATE_TEST_SUITE_P(
    Desks, BarOnDesk,
    ::testing::Values(
        Desk{"AsSpecifiedWhereItFits", kXga, kBottom, "下", "表示", 17, 1433, 11520 - 450 - 740},
        Desk{"NarrowScreen", kSvga, {0, 570, 800, 600}, "上", "表示", 17, 1110, 9000 / 995},
        Desk{"SmallestScreen", kVga, {0, 450, 640, 480}, "下", "非表示", 17, 1110, 7200 - 740},
        // 1024 pixels at 125 %.
        Desk{"ScaledUp", {0, 0, 12288, 9216}, kBottom, "上", "表示", 17, 1110, 9216 / 995},
        Desk{"TaskbarLeft", kXga, kLeft, "下", "表示", 17, 900 + 1110, 11520 - 740},
        Desk{"TaskbarLeftHidden", kXga, kLeft, "下", "非表示", 17, 1433, 11520 - 740},
        Desk{"TaskbarRight", kXga, {964, 0, 1024, 768}, "下", "表示", 3, 7680 - 2040, 11520 - 740},
        Desk{"TaskbarRightWide", kXga, {824, 0, 1024, 768}, "上", "表示", 12, 2880, 11},
        Desk{"TaskbarTop", kXga, kTop, "上", "表示", 5, 7680 - 2640, 450 + 11520 / 995},
        Desk{"TaskbarTopHidden", kXga, kTop, "上", "非表示", 5, 7680 - 2640, 11520 / 995},
        Desk{"TaskbarTopBarBottom", kXga, kTop, "下", "表示", 5, 7680 - 2640, 11520 - 740},
        Desk{"PrimaryAwayFromTheOrigin", kAway, kAwayBottom, "下", "表示", 17, 28800 + 1110,
             4500 + 9000 - 450 - 740}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(BarLayout, EmptyPlacementFieldsGetTheirDefaults) {
    auto set = sampleSet(1);
    set.DockPos = "";
    set.TaskB = "";
    set.FntName = "";
    set.BkStrch = "";
    store(set, 1);
    startOpen();
    EXPECT_EQ(model().DockPos, "上");
    EXPECT_EQ(model().TaskB, "表示");
    EXPECT_EQ(model().FntName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(model().FrColor, "-2147483630");
    EXPECT_EQ(model().BkStrch, "する");
    EXPECT_TRUE(image("IFBk").stretch());
}

TEST_F(BarLayout, DefaultPicturesStandOverItemsWithoutPicturesAndParkOtherwise) {
    auto set = sampleSet(1);
    set.txtMcIc = "C:\\icons\\pc.ico";
    set.ClsB = "C:\\icons\\close.ico";
    set.txtMdIc = "C:\\icons\\missing.ico";
    sim.pictures.bad.insert(set.txtMdIc);
    store(set, 1);
    startOpen();

    EXPECT_EQ(image("MCD").bounds(), (forms::Rect{10320, 2520, 480, 480}));
    EXPECT_EQ(image("ClsD").bounds(), (forms::Rect{10920, 2040, 225, 225}));
    ASSERT_NE(image("ImgMC").picture(), nullptr);
    EXPECT_EQ(pictureSource(image("ImgMC")), "C:\\icons\\pc.ico");
    // An unreadable picture leaves the built-in one standing in for the item.
    EXPECT_EQ(image("ImgMD").picture(), nullptr);
    EXPECT_EQ(pos(image("MDD").bounds()), pos(image("ImgMD").bounds()));
    for (const char* twin : {"RBED", "RBFD"}) {
        EXPECT_EQ(pos(image(twin).bounds()), (forms::Point{1560, 120})) << twin;
    }
    EXPECT_EQ(pos(image("DivD").bounds()), (forms::Point{2040, 120}));
    EXPECT_FALSE(image("ImgRBinFll").stretch());
    // What the pointer hits over an item without its own picture is the built-in twin.
    EXPECT_EQ(dock().controlAt({1600, 200}), &image("RBED"));

    // Clearing the custom picture brings the twin back over the item.
    model().txtMcIc = "";
    dock().cmdDsSave();
    restart();
    EXPECT_EQ(pos(image("MCD").bounds()), (forms::Point{360, 120}));
}

TEST_F(BarLayout, OnlySeparatorsFlaggedOneAreShownWithTheSeparatorPicture) {
    auto set = sampleSet(6);
    set.SE[0] = "1";
    set.SE[1] = "0";
    set.SE[3] = "1";
    set.SE[4] = "yes";
    set.SepIcn = "C:\\icons\\sep.bmp";
    store(set, 1);
    startOpen();
    for (int k = 1; k <= settings::kSeparatorCount; ++k) {
        EXPECT_EQ(dock().separatorImage(k).visible(), k == 1 || k == 4) << k;
    }
    ASSERT_NE(dock().separatorImage(4).picture(), nullptr);
    EXPECT_EQ(pictureSource(dock().separatorImage(4)), "C:\\icons\\sep.bmp");
    EXPECT_EQ(image("DivD").bounds(), (forms::Rect{11280, 1920, 240, 480}));
    // Separators are drawn over the slots they overlap.
    EXPECT_EQ(dock().controlAt({2710, 200}), &dock().separatorImage(1));
}

TEST_F(BarLayout, SeparatorsWithoutAPictureOfTheirOwnShowTheBuiltInDivider) {
    auto set = sampleSet(6);
    set.SE[2] = "1";
    store(set, 1);
    startOpen();
    ASSERT_TRUE(dock().separatorImage(3).visible());
    ASSERT_NE(dock().separatorImage(3).picture(), nullptr);
    EXPECT_EQ(pictureSource(dock().separatorImage(3)), "builtin:Divider");
}

TEST_F(BarLayout, AnUnreadableSeparatorPictureFallsBackToTheBuiltInDivider) {
    auto set = sampleSet(6);
    set.SE[2] = "1";
    set.SepIcn = "C:\\icons\\broken.bmp";
    sim.pictures.bad.insert(set.SepIcn);
    store(set, 1);
    startOpen();
    ASSERT_TRUE(dock().separatorImage(3).visible());
    ASSERT_NE(dock().separatorImage(3).picture(), nullptr);
    EXPECT_EQ(pictureSource(dock().separatorImage(3)), "builtin:Divider");
    EXPECT_EQ(pos(image("DivD").bounds()), pos(image("Divid1").bounds()));
}

// A link whose set has no picture for it must not show the picture of the link that held the
// slot in the set shown before.
TEST_F(BarLayout, ASlotWithoutAPictureShowsNoneAfterASetSwitch) {
    store(sampleSet(3), 1);
    auto second = sampleSet(3);
    second.L[1].I = "";
    store(second, 2);
    startOpen();
    ASSERT_NE(dock().slotImage(2).picture(), nullptr);
    model().RNo = "2";
    restart();
    EXPECT_EQ(dock().slotImage(2).picture(), nullptr);
    ASSERT_NE(dock().slotImage(3).picture(), nullptr);
    EXPECT_EQ(pictureSource(dock().slotImage(3)), "C:\\icons\\3.ico");
}

// Another program may have put a top-most window over the bar since: every layout stacks the
// bar afresh, also when it already is top-most.
TEST_F(BarLayout, EveryLayoutStacksTheBarAfresh) {
    store(sampleSet(2), 1);
    startOpen();
    ASSERT_TRUE(dock().topmost());
    const auto serial = dock().stackingSerial();
    restart();
    EXPECT_TRUE(dock().topmost());
    EXPECT_GT(dock().stackingSerial(), serial);
}

TEST_F(BarLayout, TransparentBarKeysOutItsBackground) {
    auto set = sampleSet(2);
    set.Clr = "する";
    store(set, 1);
    startOpen();
    EXPECT_EQ(dock().backColor(), 0x555184U);
    EXPECT_EQ(dock().colorKey(), std::optional<forms::ColorNumber>(0x555184U));
    EXPECT_EQ(pos(image("FBKD").bounds()), (forms::Point{10920, 3120}));

    model().Clr = "しない";
    dock().cmdDsSave();
    restart();
    EXPECT_EQ(dock().backColor(), forms::kButtonFace);
    EXPECT_FALSE(dock().colorKey().has_value());
    EXPECT_EQ(image("FBKD").bounds(), (forms::Rect{0, 0, settings::slotLeft(3), 735}));
}

TEST_F(BarLayout, StackingFollowsFTop) {
    auto set = sampleSet(1);
    set.FTop = "しない";
    store(set, 1);
    startOpen();
    EXPECT_FALSE(dock().topmost());
    EXPECT_TRUE(dock().visible());
}

TEST_F(BarLayout, TaskbarButtonsMoveABottomBarByTheTaskbarHeight) {
    auto set = sampleSet(3);
    set.DockPos = "下";
    store(set, 1);
    startOpen();
    const forms::Twips shownTop = dock().top();

    dock().mouseDown(forms::MouseButton::Left, {100, 400});
    dock().mouseUp(forms::MouseButton::Left, {100, 400});
    EXPECT_EQ(model().TaskB, "非表示");
    EXPECT_EQ(dock().top(), shownTop + 450);
    EXPECT_EQ(panel().top(), dock().top() + 50);
    EXPECT_FALSE(sim.screen.taskbarVisible);
    EXPECT_EQ(dock().controlAt({100, 400}), &image("TaskBUp"));
    EXPECT_FALSE(image("TaskBDwn").visible());

    dock().mouseDown(forms::MouseButton::Left, {100, 400});
    dock().mouseUp(forms::MouseButton::Left, {100, 400});
    EXPECT_EQ(model().TaskB, "表示");
    EXPECT_EQ(dock().top(), shownTop);
    EXPECT_TRUE(sim.screen.taskbarVisible);
    EXPECT_FALSE(image("TaskBUp").visible());
}

TEST_F(BarLayout, TaskbarButtonsLeaveATopBarWhereItIs) {
    store(sampleSet(3), 1);
    startOpen();
    const forms::Twips top = dock().top();
    dock().mouseDown(forms::MouseButton::Left, {100, 400});
    dock().mouseUp(forms::MouseButton::Left, {100, 400});
    EXPECT_FALSE(sim.screen.taskbarVisible);
    EXPECT_EQ(dock().top(), top);
}

TEST_F(BarLayout, WithoutATaskbarWindowNothingIsShownOrHidden) {
    sim.screen.taskbar = 0;
    auto set = sampleSet(3);
    set.TaskB = "非表示";
    store(set, 1);
    startOpen();
    EXPECT_TRUE(sim.screen.showCalls.empty());
    EXPECT_THROW(dock().cndEnd(), platform::sim::ProgramEnded);
    EXPECT_TRUE(sim.screen.showCalls.empty());
}

TEST_F(BarLayout, CloseButtonFoldsTheBarAwayAndTheOpenButtonBringsItBack) {
    store(sampleSet(3), 1);
    startOpen();
    dock().mouseDown(forms::MouseButton::Left, {60, 60});
    dock().mouseUp(forms::MouseButton::Left, {60, 60});
    sim.clock.advance(settle);
    EXPECT_FALSE(dock().visible());
    EXPECT_EQ(sim.windows.creations("frmBTN"), 1);  // no reload

    panel().mouseDown(forms::MouseButton::Left, {10, 10});
    panel().mouseUp(forms::MouseButton::Left, {10, 10});
    EXPECT_TRUE(dock().visible());
    sim.clock.advance(settle);
    EXPECT_EQ(dock().width(), settings::slotLeft(4));
}

}  // namespace
}  // namespace quorvel::testing
