#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

constexpr forms::Point kBin{1600, 200};

class RecycleBinItem : public BarFixture {
protected:
    void startBar() {
        store(sampleSet(3), 1);
        startOpen();
    }
    bool showsFull() {
        const bool full = image("ImgRBinFll").visible();
        // exactly one pair is shown
        EXPECT_EQ(image("RBFD").visible(), full);
        EXPECT_EQ(image("ImgRBinEmp").visible(), !full);
        EXPECT_EQ(image("RBED").visible(), !full);
        return full;
    }
    void binChanged() {
        sim.dispatch([this] { sim.shell.binChanged(); });
    }
};

TEST_F(RecycleBinItem, StartsEmptyAndFollowsTheCount) {
    sim.shell.canWatch = false;
    sim.shell.binItems = 2;
    startBar();  // the first poll is 100 ms after start-up
    EXPECT_EQ(dock().textField("txtRBin").text(), "2");
    EXPECT_TRUE(showsFull());
    sim.shell.binItems = 0;
    sim.clock.advance(100);
    EXPECT_EQ(dock().textField("txtRBin").text(), "0");
    EXPECT_FALSE(showsFull());
}

TEST_F(RecycleBinItem, AFailedQueryKeepsTheLastCountAndPictures) {
    sim.shell.canWatch = false;
    sim.shell.binItems = 5;
    startBar();
    ASSERT_TRUE(showsFull());
    sim.shell.binItems = std::nullopt;
    const int before = sim.shell.binQueries;
    sim.clock.advance(1000);
    EXPECT_GT(sim.shell.binQueries, before);  // it keeps trying
    EXPECT_EQ(dock().textField("txtRBin").text(), "5");
    EXPECT_TRUE(showsFull());
    sim.shell.binItems = 0;
    sim.clock.advance(100);
    EXPECT_FALSE(showsFull());
}

// The pictures are swapped only when the count changes: a flash that hid the bin's picture
// is not undone by a poll that finds the same count.
TEST_F(RecycleBinItem, APollThatFindsTheSameCountTouchesNoPicture) {
    sim.shell.canWatch = false;
    sim.shell.binItems = 3;
    startBar();
    image("ImgRBinFll").setVisible(false);  // as a flash step leaves it
    sim.clock.advance(1000);
    EXPECT_FALSE(image("ImgRBinFll").visible());
}

// Without change reports the bin is asked ten times a second while asking is cheap; a slow
// query (a full bin) makes the poll wait so that it takes about 1 % of the time.
TEST_F(RecycleBinItem, WithoutChangeReportsThePollBacksOffAsQueriesGetDearer) {
    sim.shell.canWatch = false;
    sim.shell.binQueryCost = 400;  // 0.4 ms
    startBar();
    const int before = sim.shell.binQueries;
    sim.clock.advance(10000);
    EXPECT_NEAR(sim.shell.binQueries - before, 100, 2);
    EXPECT_EQ(dock().binPollInterval(), 100U);

    sim.shell.binQueryCost = 20000;  // 20 ms: 200 items under Wine
    sim.clock.advance(200);
    EXPECT_EQ(dock().binPollInterval(), 2000U);
    const int slow = sim.shell.binQueries;
    sim.clock.advance(20000);
    EXPECT_NEAR(sim.shell.binQueries - slow, 10, 1);

    sim.shell.binQueryCost = 10'000'000;  // a query that takes ten seconds
    sim.clock.advance(3000);
    EXPECT_EQ(dock().binPollInterval(), 60000U);
}

TEST_F(RecycleBinItem, WhereTheSystemReportsChangesOnlyASlowSafetyPollRemains) {
    sim.shell.binQueryCost = 300;
    startBar();
    ASSERT_TRUE(dock().binWatched());
    EXPECT_EQ(dock().binPollInterval(), 5000U);
    const int before = sim.shell.binQueries;
    sim.clock.advance(60000);
    EXPECT_NEAR(sim.shell.binQueries - before, 12, 1);

    // A reported delete is seen 20 ms later.
    sim.shell.binItems = 1;
    binChanged();
    sim.clock.advance(19);
    EXPECT_FALSE(showsFull());
    sim.clock.advance(1);
    EXPECT_TRUE(showsFull());

    // A dear query (a thousand items under Wine) spaces the safety net to a thousandth of a
    // core, and however dear, it still comes every ten minutes.
    sim.shell.binQueryCost = 100000;
    sim.clock.advance(5000);
    EXPECT_EQ(dock().binPollInterval(), 100000U);
    sim.shell.binQueryCost = 10'000'000;
    sim.clock.advance(100000);
    EXPECT_EQ(dock().binPollInterval(), 600000U);
}

// A large delete or an empty reports changes for seconds: the bin is asked when they begin
// (the picture turns full at once) and once they pause (the end state), not all the time.
TEST_F(RecycleBinItem, ABurstOfReportsIsLookedAtWhenItBeginsAndWhenItPauses) {
    sim.shell.binQueryCost = 100000;  // 100 ms: 1,000 items under Wine
    startBar();
    sim.clock.advance(3000);  // the first query's rest is over; the next poll is 100 s away
    const int before = sim.shell.binQueries;
    for (int i = 0; i < 200; ++i) {  // a report every 10 ms for two seconds
        binChanged();
        sim.clock.advance(10);
    }
    EXPECT_EQ(sim.shell.binQueries - before, 1);
    sim.shell.binItems = 0;
    sim.clock.advance(89);
    EXPECT_EQ(sim.shell.binQueries - before, 1);
    sim.clock.advance(1);  // paused for as long as a query takes
    EXPECT_EQ(sim.shell.binQueries - before, 2);
    EXPECT_FALSE(showsFull());
    // Then the bin rests: the safety poll only.
    sim.clock.advance(4000);
    EXPECT_EQ(sim.shell.binQueries - before, 2);
}

TEST_F(RecycleBinItem, ACheapBinIsLookedAtSoonAfterTheReportsPause) {
    sim.shell.binQueryCost = 300;
    startBar();
    sim.clock.advance(10000);
    sim.shell.binItems = 4;
    binChanged();
    sim.clock.advance(20);
    EXPECT_TRUE(showsFull());
    binChanged();            // the rest of the same delete
    sim.shell.binItems = 0;  // and an empty right after it
    binChanged();
    sim.clock.advance(49);
    EXPECT_TRUE(showsFull());
    sim.clock.advance(1);
    EXPECT_FALSE(showsFull());
}

TEST_F(RecycleBinItem, ALeftPressFlashesTheBinAndOpensItsFolder) {
    startBar();
    sim.dispatch([&] { dock().mouseDown(forms::MouseButton::Left, kBin); });
    EXPECT_EQ(model().Text1, "RBED");
    ASSERT_EQ(sim.shell.executed.size(), 1U);
    const platform::ShellRequest& r = sim.shell.executed[0];
    EXPECT_EQ(r.owner, &dock());
    EXPECT_EQ(r.file, "::{645FF040-5081-101B-9F08-00AA002F954E}");
    EXPECT_EQ(r.directory, "::{645FF040-5081-101B-9F08-00AA002F954E}");
    EXPECT_EQ(r.show, 1);
    EXPECT_TRUE(sim.windows.menusShown.empty());
    sim.clock.advance(400);
    EXPECT_FALSE(image("RBED").visible());
}

TEST_F(RecycleBinItem, ARightPressOnAFullBinOffersOnlyEmptyingAmongTheItemEntries) {
    sim.shell.binItems = 7;
    startBar();
    ASSERT_TRUE(showsFull());
    userPress(dock(), forms::MouseButton::Right, kBin);
    ASSERT_EQ(sim.windows.menusShown.size(), 1U);
    const auto& lines = sim.windows.menusShown[0].lines;
    EXPECT_EQ(lines.front(), "ごみ箱を空にする");
    for (const char* absent : {"コントロールパネル", "システムのプロパティ", "タスクマネージャ",
                               "クリーンアップ >", "クリップボードのクリア"}) {
        EXPECT_EQ(std::count(lines.begin(), lines.end(), absent), 0) << absent;
    }
    EXPECT_TRUE(sim.shell.executed.empty());
}

TEST_F(RecycleBinItem, FilesDroppedOnTheBinGoToItInOneOperationInTheirOrder) {
    startBar();
    const std::vector<std::string> files = {"C:\\docs\\c.txt", "C:\\docs\\a.txt", "C:\\docs\\写真"};
    const int before = sim.shell.binQueries;
    sim.shell.binItems = 3;
    sim.dispatch([&] { dock().drop(kBin, {files, {}}); });
    ASSERT_EQ(sim.shell.recycled.size(), 1U);
    EXPECT_EQ(sim.shell.recycled[0], files);
    EXPECT_TRUE(sim.log.contains("recycle owner=Dock [C:\\docs\\c.txt] [C:\\docs\\a.txt]"));
    // The bin is looked at right after, not at the next poll.
    sim.clock.advance(20);
    EXPECT_GT(sim.shell.binQueries, before);
    EXPECT_TRUE(showsFull());
}

TEST_F(RecycleBinItem, FilesDroppedElsewhereOnTheBarAreLeftAlone) {
    startBar();
    for (forms::Point at : {forms::Point{2300, 200}, forms::Point{400, 200},
                            forms::Point{1000, 200}, forms::Point{2400, 660}}) {
        sim.dispatch([&] { dock().drop(at, {{"C:\\docs\\a.txt"}, {}}); });
    }
    EXPECT_TRUE(sim.shell.recycled.empty());
}

TEST_F(RecycleBinItem, ABarThatIsGoneHearsNothingOfTheBin) {
    startOpen();
    ASSERT_TRUE(sim.shell.watching());
    program.reset();
    // The system may still report a change; nothing is left to call.
    EXPECT_FALSE(sim.shell.watching());
    sim.dispatch([this] { sim.shell.binChanged(); });
}

}  // namespace
}  // namespace quorvel::testing
