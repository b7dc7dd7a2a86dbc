#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sim_bar_fixture.h"
#include "windows/lnk_name.h"

namespace quorvel::testing {
namespace {

class LnkNamePopup : public BarFixture {
protected:
    void startBar(const char* clr, const char* dockPos) {
        auto set = sampleSet(3);
        set.Clr = clr;
        set.DockPos = dockPos;
        store(set, 1);
        startOpen();
    }
    void hoverSlot(int n, forms::Twips dx = 10) {
        dock().mouseMove({settings::slotLeft(n) + dx, 200});
    }
    std::string shown() { return popup().label("LNm").caption(); }
};

TEST_F(LnkNamePopup, OverATransparentTopBarTheNameSlidesDownAndHides) {
    startBar("する", "上");
    hoverSlot(1);
    EXPECT_EQ(shown(), "リンク1");
    EXPECT_EQ(popup().left(), settings::slotLeft(1) + dock().left() + 240 - 4095 / 2);
    EXPECT_EQ(popup().top(), 15 + 735 / 2 - 120);
    EXPECT_TRUE(popup().visible());
    sim.clock.advance(10);
    EXPECT_EQ(popup().top(), 15 + 735 / 2 - 120 + 10);
    sim.clock.advance(490);
    EXPECT_EQ(popup().top(), 15 + 735 + 20);
    EXPECT_EQ(popup().textField("txtStp").text(), "1");
    sim.clock.advance(499);
    EXPECT_TRUE(popup().visible());
    sim.clock.advance(1);
    EXPECT_FALSE(popup().visible());

    // The idle slide keeps it hidden; pointing again shows it where it rests.
    sim.clock.advance(2000);
    EXPECT_FALSE(popup().visible());
    // Resting, the popup wakes twice a second to hide again, not a hundred times (the bin
    // poll adds its ten ticks a second).
    int ticks = 0;
    sim.clock.afterTick = [&ticks] { ++ticks; };
    sim.clock.advance(1000);
    EXPECT_LE(ticks, 20);
    EXPECT_FALSE(popup().visible());
    hoverSlot(1, 20);
    EXPECT_TRUE(popup().visible());
    EXPECT_EQ(popup().top(), 15 + 735 + 20);
}

// Over a transparent bar the name must come out from behind the items, not be drawn over
// them: until it has passed the bar's edge nothing of it is drawn where the bar's pictures lie,
// and the bar is never stacked afresh for it, so it stays under windows that cover it.
TEST_F(LnkNamePopup, TheSlidingNamePassesBehindTheBarsPicturesAndLeavesTheBarWhereItIs) {
    startBar("する", "上");
    const auto barStacking = dock().stackingSerial();
    hoverSlot(1);
    // The part of the name's window that the slot's picture lies over, where it is now.
    const auto slotCovers = [&] {
        const forms::Rect slot{settings::slotLeft(1) + dock().left() - popup().left(),
                               120 + dock().top() - popup().top(), 480, 480};
        const forms::Rect over = forms::intersection(slot, {0, 0, 4095, 240});
        const auto& covered = popup().coveredAreas();
        return over.height > 0 && std::find(covered.begin(), covered.end(), over) != covered.end();
    };
    EXPECT_TRUE(slotCovers());  // from the bar's middle
    sim.clock.advance(200);
    EXPECT_TRUE(slotCovers());  // the picture's lower part, over the name's upper part
    // Past the pictures but not yet clear of the bar's edge: nothing covers it, and it is not
    // yet stacked afresh.
    sim.clock.advance(280);
    ASSERT_LT(popup().top(), 15 + 735);
    EXPECT_TRUE(popup().coveredAreas().empty());
    const auto serial = popup().stackingSerial();
    sim.clock.advance(20);
    ASSERT_EQ(popup().top(), 15 + 735 + 20);
    EXPECT_TRUE(popup().coveredAreas().empty());
    EXPECT_GT(popup().stackingSerial(), serial);  // brought to the front again
    EXPECT_TRUE(popup().topmost());

    // Beside an opaque bar there is nothing to pass behind.
    model().Clr = "しない";
    hoverSlot(2);
    EXPECT_TRUE(popup().coveredAreas().empty());
    EXPECT_EQ(dock().stackingSerial(), barStacking);
}

TEST_F(LnkNamePopup, OverATransparentBottomBarTheNameSlidesUp) {
    startBar("する", "下");
    const forms::Twips barTop = 15360 - 450 - 735 - 5;
    hoverSlot(2);
    EXPECT_EQ(popup().top(), barTop + 735 / 2 - 120);
    sim.clock.advance(440);
    EXPECT_EQ(popup().top(), barTop - 200);
    sim.clock.advance(500);
    EXPECT_FALSE(popup().visible());
}

TEST_F(LnkNamePopup, OverAnOpaqueBarTheNameShowsOnTheSecondMove) {
    startBar("しない", "上");
    hoverSlot(1);
    sim.clock.advance(500);
    ASSERT_FALSE(popup().visible());

    hoverSlot(2);
    EXPECT_EQ(popup().top(), 15 + 735 + 20);
    EXPECT_FALSE(popup().visible());
    sim.clock.advance(100);
    hoverSlot(2, 30);
    EXPECT_TRUE(popup().visible());
    sim.clock.advance(400);  // 500 ms after the first move
    EXPECT_FALSE(popup().visible());
    // Once gone, a further move shows it again, and it goes again half a second later: a name
    // is never left on the screen after the pointer has moved on.
    hoverSlot(2, 40);
    EXPECT_TRUE(popup().visible());
    sim.clock.advance(499);
    EXPECT_TRUE(popup().visible());
    sim.clock.advance(1);
    EXPECT_FALSE(popup().visible());
}

TEST_F(LnkNamePopup, EachItemShowsItsOwnName) {
    startBar("しない", "下");
    struct Case {
        forms::Point at;
        const char* name;
    };
    for (const Case& c : {Case{{400, 200}, "マイ コンピュータ"},
                          Case{{1000, 200}, "マイ ドキュメント"}, Case{{1600, 200}, "ごみ箱"},
                          Case{{2300, 200}, "リンク1"}, Case{{2900, 200}, "リンク2"}}) {
        dock().mouseMove(c.at);
        EXPECT_EQ(shown(), c.name) << c.at.x;
        EXPECT_EQ(popup().top(), dock().top() - 200) << c.at.x;
    }
}

TEST_F(LnkNamePopup, MovingToAnotherItemRestartsTheSlideButMovingWithinOneDoesNot) {
    startBar("する", "上");
    hoverSlot(1);
    sim.clock.advance(100);
    hoverSlot(1, 50);
    EXPECT_EQ(popup().top(), 15 + 735 / 2 - 120 + 100);
    hoverSlot(2);
    EXPECT_EQ(shown(), "リンク2");
    EXPECT_EQ(popup().top(), 15 + 735 / 2 - 120);
}

struct StyleCase {
    const char* style;
    bool bold;
    bool italic;
};

class LnkNameStyle : public BarFixture, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(LnkNameStyle, StyleWordsSetBoldAndItalicAndOthersLeaveThem) {
    store(sampleSet(1), 1);
    startOpen();
    model().FStyle = "太字 斜体";
    popup().LNmStyle();
    model().FStyle = GetParam().style;
    popup().LNmStyle();
    const forms::Font& font = popup().label("LNm").font();
    EXPECT_EQ(font.bold, GetParam().bold);
    EXPECT_EQ(font.italic, GetParam().italic);
    EXPECT_EQ(font.sizePt, 9);
}

INSTANTIATE_TEST_SUITE_P(Words, LnkNameStyle,
                         ::testing::Values(StyleCase{"標準", false, false},
                                           StyleCase{"太字", true, false},
                                           StyleCase{"斜体", false, true},
                                           StyleCase{"太字 斜体", true, true},
                                           StyleCase{"Bold", true, true}));

TEST_F(LnkNamePopup, TextColourComesFromFrColorWithGreyWhenEmpty) {
    startBar("しない", "上");
    struct Case {
        const char* text;
        forms::ColorNumber colour;
    };
    for (const Case& c : {Case{"", 0x808080U}, Case{"-2147483630", 0x80000012U}, Case{"255", 0xFFU},
                          Case{"99999999999", 0x7FFFFFFFU}}) {
        model().FrColor = c.text;
        popup().LNmStyle();
        EXPECT_EQ(popup().label("LNm").foreColor(), c.colour) << c.text;
    }
}

// A name never outstays the pointer: what the random-event checker found.
struct NameLeftOver {
    const char* name;
    const char* clr;
    const char* dockPos;
};

class NameNeverLeftOver : public LnkNamePopup, public ::testing::WithParamInterface<NameLeftOver> {
protected:
    [[nodiscard]] bool nameOnScreen() {
        windows::LnkName* p = program->windows().lnkNameIfLoaded();
        return p != nullptr && p->visible() && !p->label("LNm").caption().empty();
    }
};

TEST_P(NameNeverLeftOver, AfterARestartThatDidNotUnloadThePopup) {
    startBar(GetParam().clr, GetParam().dockPos);
    hoverSlot(2);
    sim.clock.advance(1100);  // the name has come and gone
    // The panel's set switch restarts the bar without unloading the popup first.
    restart();
    sim.clock.advance(5000);
    EXPECT_FALSE(nameOnScreen());
}

TEST_P(NameNeverLeftOver, ShownAgainOnceGone) {
    startBar(GetParam().clr, GetParam().dockPos);
    hoverSlot(2);
    sim.clock.advance(1100);  // gone, slide or not
    ASSERT_FALSE(nameOnScreen());
    hoverSlot(2, 30);
    EXPECT_TRUE(nameOnScreen());
    sim.clock.advance(500);
    EXPECT_FALSE(nameOnScreen());
}

TEST_P(NameNeverLeftOver, NothingTicksOnceItHasGone) {
    startBar(GetParam().clr, GetParam().dockPos);
    hoverSlot(3);
    sim.clock.advance(5000);
    for (const char* timer : {"Tim1", "Tim2", "Tim3"}) {
        EXPECT_FALSE(popup().timer(timer).running()) << timer;
    }
}

INSTANTIATE_TEST_SUITE_P(Bars, NameNeverLeftOver,
                         ::testing::Values(NameLeftOver{"OpaqueTop", "しない", "上"},
                                           NameLeftOver{"OpaqueBottom", "しない", "下"},
                                           NameLeftOver{"TransparentTop", "する", "上"},
                                           NameLeftOver{"TransparentBottom", "する", "下"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(LnkNamePopup, ANameHalfWaySlidingMovesWithTheBarWhenTheTaskbarIsHidden) {
    startBar("する", "下");
    hoverSlot(2);
    sim.clock.advance(200);
    const forms::Twips fromBar = popup().top() - dock().top();
    userClick(dock(), pos(image("TaskBDwn").bounds()));
    EXPECT_EQ(popup().top() - dock().top(), fromBar);
    // The slide ends where it would have ended on the bar in its old place: gone within a
    // second of the move over the item.
    sim.clock.advance(800);
    EXPECT_FALSE(popup().visible());
}

}  // namespace
}  // namespace quorvel::testing
