#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "found.h"
#include "sim_menu_fixture.h"

namespace quorvel::testing {
namespace {

using Host = platform::sim::SimWindowHost;

const std::string kCacheIntro =
    "インターネット一時ファイルの削除を行います。\r開いているインターネットエクスプローラはすべて\r"
    "閉じてください。";
const std::string kHistoryIntro =
    "インターネット履歴の削除を行います。\r開いているインターネットエクスプローラはすべて\r"
    "閉じてください。";
const std::string kAdvice =
    "\rエラーが発生しました。\r一度インターネット オプションより削除してください。";
const std::string kDeleted = "削除しました。";

class Cleanup : public MenuFixture {
protected:
    // Where the log says the notice was on screen, and where it was gone again.
    std::optional<std::size_t> noticeShown() const {
        for (std::size_t i = 0; i < sim.log.entries().size(); ++i) {
            const std::string& e = sim.log.entries()[i];
            if (e.starts_with("updateNow") && e.find("frmMenu") != std::string::npos) {
                return i;
            }
        }
        return std::nullopt;
    }
    std::optional<std::size_t> noticeGoneAfter(std::size_t from) const {
        for (std::size_t i = from; i < sim.log.entries().size(); ++i) {
            const std::string& e = sim.log.entries()[i];
            if (e.starts_with("updateNow") && e.find("frmMenu") == std::string::npos) {
                return i;
            }
        }
        return std::nullopt;
    }
    std::optional<std::size_t> message(const std::string& text) const {
        return sim.log.find("messageBox " + text);
    }
    bool menuWindowLive() const { return program->windows().frmMenuIfLoaded() != nullptr; }
};

TEST_F(Cleanup, TheCacheIsClearedUnderACentredNoticeThatIsGoneBeforeTheLastMessage) {
    sim.cleanup.cache = {"http://a/1", "http://a/2"};
    struct Seen {
        bool visible = false;
        forms::FormStyle style = forms::FormStyle::Borderless;
        std::string caption;
        bool menuBar = false;
        forms::Rect bounds;
    } seen;
    sim.cleanup.duringWalk = [&] {
        const forms::Form& notice = present(sim.windows.live("frmMenu"), "live frmMenu");
        seen = {notice.visible(), notice.style(), notice.caption(), notice.menuBar(),
                notice.bounds()};
    };
    choose("TIFDel");

    EXPECT_EQ(sim.cleanup.deleted, (std::vector<std::string>{"http://a/1", "http://a/2"}));
    EXPECT_EQ(messages(), (std::vector<std::string>{kCacheIntro, kDeleted}));
    // Asked first, then the notice is drawn before the work starts, and gone before the end.
    const auto intro = message(kCacheIntro);
    const auto shown = noticeShown();
    const auto walk = sim.log.find("walkUrlCache");
    ASSERT_TRUE(intro && shown && walk);
    EXPECT_LT(*intro, *shown);
    EXPECT_LT(*shown, *walk);
    const auto gone = noticeGoneAfter(*walk);
    const auto done = message(kDeleted);
    ASSERT_TRUE(gone && done);
    EXPECT_LT(*gone, *done);
    EXPECT_FALSE(menuWindowLive());

    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(seen.style, forms::FormStyle::Dialog);
    EXPECT_EQ(seen.caption, "削除しています...");
    EXPECT_TRUE(seen.menuBar);
    // 1800 twips of client width; the whole window, frame and bars included, in the middle of
    // the 19200 x 15360 twip screen.
    const forms::Twips outerWidth = 1800 + 2 * Host::kDialogBorder;
    const forms::Twips outerHeight = Host::kTitleBar + Host::kMenuBar + 2 * Host::kDialogBorder;
    EXPECT_EQ(seen.bounds.width, 1800);
    EXPECT_EQ(seen.bounds.left, 19200 / 2 - outerWidth / 2);
    EXPECT_EQ(seen.bounds.top, 15360 / 2 - outerHeight / 2);
}

struct WalkCase {
    const char* what;
    std::vector<std::string> cache;
    std::vector<std::string> inUse;
    std::optional<long> firstError;
    std::optional<std::size_t> failAfter;
    long nextError;
    std::string lastMessage;
    std::vector<std::string> left;  // what the cache holds afterwards
};

class CacheWalk : public Cleanup, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(CacheWalk, EndsWithTheRightMessageAndNeverLeavesTheNoticeUp) {
    const WalkCase& c = GetParam();
    sim.cleanup.cache = c.cache;
    sim.cleanup.inUse = {c.inUse.begin(), c.inUse.end()};
    sim.cleanup.firstError = c.firstError;
    sim.cleanup.failAfter = c.failAfter;
    sim.cleanup.nextError = c.nextError;
    choose("TIFDel");

    EXPECT_EQ(messages(), (std::vector<std::string>{kCacheIntro, c.lastMessage})) << c.what;
    EXPECT_EQ(sim.cleanup.cache, c.left) << c.what;
    const auto shown = noticeShown();
    ASSERT_TRUE(shown) << c.what;
    const auto gone = noticeGoneAfter(*shown);
    const auto last = message(c.lastMessage);
    ASSERT_TRUE(gone && last) << c.what;
    EXPECT_LT(*gone, *last) << c.what;
    EXPECT_FALSE(menuWindowLive()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Ends, CacheWalk,
    ::testing::Values(
        WalkCase{"an empty cache", {}, {}, std::nullopt, std::nullopt, 0, kDeleted, {}},
        WalkCase{"entries in use stay without a word",
                 {"http://a/1", "http://a/2", "http://a/3"},
                 {"http://a/2"},
                 std::nullopt,
                 std::nullopt,
                 0,
                 kDeleted,
                 {"http://a/2"}},
        WalkCase{"the walk cannot start",
                 {"http://a/1"},
                 {},
                 5L,
                 std::nullopt,
                 0,
                 "ERROR: FindFirstUrlCacheEntry - 5" + kAdvice,
                 {"http://a/1"}},
        WalkCase{"the walk stops: what was deleted stays deleted",
                 {"http://a/1", "http://a/2", "http://a/3"},
                 {},
                 std::nullopt,
                 std::size_t{2},
                 12,
                 "Error:  Unable to find the next cache entry - 12" + kAdvice,
                 {"http://a/3"}}));

TEST_F(Cleanup, AFailureWhileTheNoticeIsUpStillTakesTheNoticeAway) {
    sim.cleanup.duringWalk = [] { throw std::runtime_error("the system failed"); };
    EXPECT_THROW(choose("TIFDel"), std::runtime_error);
    const forms::Form* notice = sim.windows.live("frmMenu");
    EXPECT_TRUE(notice == nullptr || !notice->visible());
    EXPECT_FALSE(menuWindowLive());
}

struct HistoryCase {
    const char* what;
    std::int32_t createResult;
    std::int32_t clearResult;
    std::string lastMessage;
};

class History : public Cleanup, public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(History, SaysWhatHappenedAndTheBarKeepsRunning) {
    const HistoryCase& c = GetParam();
    sim.cleanup.historyCreateResult = c.createResult;
    sim.cleanup.historyClearResult = c.clearResult;
    sim.cleanup.history = {"http://visited"};
    choose("DelIHstry");

    EXPECT_EQ(messages(), (std::vector<std::string>{kHistoryIntro, c.lastMessage})) << c.what;
    EXPECT_EQ(sim.cleanup.history.empty(), c.lastMessage == kDeleted) << c.what;
    const auto shown = noticeShown();
    ASSERT_TRUE(shown) << c.what;
    const auto gone = noticeGoneAfter(*shown);
    ASSERT_TRUE(gone) << c.what;
    EXPECT_LT(*gone, present(message(c.lastMessage), "message " + c.lastMessage)) << c.what;
    // Nothing ended the program: the bar still answers a press with its menu.
    choose("");
    EXPECT_EQ(sim.windows.creations("frmMenu"), 2) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, History,
    ::testing::Values(HistoryCase{"cleared", 0, 0, kDeleted},
                      HistoryCase{"no history object", static_cast<std::int32_t>(0x80040154U), 0,
                                  "ERROR: CoCreateInstance - 0x80040154" + kAdvice},
                      HistoryCase{
                          "not implemented", 0, platform::kNotImplemented,
                          "インターネット履歴を削除できませんでした。\r"
                          "このシステムでは実装されていません。\rERROR: ClearHistory - 0x80004001"},
                      HistoryCase{"refused", 0, static_cast<std::int32_t>(0x80070005U),
                                  "ERROR: ClearHistory - 0x80070005" + kAdvice}));

TEST_F(Cleanup, RecentDocumentsAreClearedUnderTheNoticeWithoutAQuestion) {
    sim.cleanup.recentDocuments = 7;
    choose("FleDel");
    EXPECT_EQ(sim.cleanup.recentDocuments, 0);
    EXPECT_EQ(messages(), std::vector<std::string>{kDeleted});
    const auto shown = noticeShown();
    const auto cleared = sim.log.find("clearRecentDocuments");
    ASSERT_TRUE(shown && cleared);
    EXPECT_LT(*shown, *cleared);
    EXPECT_LT(present(noticeGoneAfter(*cleared), "notice gone after the clearing"),
              present(message(kDeleted), "message " + kDeleted));
}

TEST_F(Cleanup, TheClipboardIsEmptiedSilentlyAndAHeldOneIsLeftAlone) {
    sim.cleanup.clipboard = "copied";
    choose("ClipBoadClr");
    EXPECT_EQ(sim.cleanup.clipboard, "");
    EXPECT_TRUE(sim.log.contains("clearClipboard owner=frmMenu"));

    sim.cleanup.clipboard = "held";
    sim.cleanup.clipboardHeld = true;
    choose("ClipBoadClr");
    EXPECT_EQ(sim.cleanup.clipboard, "held");
    EXPECT_TRUE(sim.dialogs.messages.empty());
    // Neither ends with a notice or an unloaded menu.
    EXPECT_EQ(sim.windows.creations("frmMenu"), 1);
    EXPECT_FALSE(noticeShown());
}

class EmptyingTheBin : public Cleanup {
protected:
    void fillBin(std::int64_t items) {
        sim.shell.binItems = items;
        sim.dispatch([this] { sim.shell.binChanged(); });
        sim.clock.advance(100);
        ASSERT_EQ(dock().textField("txtRBin").text(), std::to_string(items));
    }
    bool showsFull() { return dock().image("ImgRBinFll").visible(); }
    bool showsEmpty() { return dock().image("ImgRBinEmp").visible(); }
};

TEST_F(EmptyingTheBin, ConfirmedTheItemTurnsEmptyAndTheMenuStartsAfresh) {
    fillBin(4);
    ASSERT_TRUE(showsFull());
    choose("Emp", kRecycleBin);
    EXPECT_EQ(sim.shell.binEmptyOwners, std::vector<std::string>{"frmMenu"});
    EXPECT_TRUE(showsEmpty());
    EXPECT_FALSE(showsFull());
    EXPECT_FALSE(menuWindowLive());
    // Asked after the system returned, not guessed.
    const auto emptied = sim.log.find("emptyRecycleBin");
    ASSERT_TRUE(emptied);
    EXPECT_TRUE(sim.log.find("queryRecycleBin", *emptied));
}

TEST_F(EmptyingTheBin, CancelledTheItemStillShowsTheFullBin) {
    fillBin(4);
    sim.shell.confirmEmpty = false;
    choose("Emp", kRecycleBin);
    EXPECT_EQ(sim.shell.binItems, 4);
    EXPECT_TRUE(showsFull());
    EXPECT_FALSE(showsEmpty());
    // And it stays so: the poll that follows finds the same count.
    sim.clock.advance(6000);
    EXPECT_TRUE(showsFull());
}

TEST_F(EmptyingTheBin, AFailedQueryAfterwardsLeavesTheItemAsItWas) {
    fillBin(2);
    sim.shell.confirmEmpty = false;
    sim.shell.binItems = std::nullopt;
    choose("Emp", kRecycleBin);
    EXPECT_TRUE(showsFull());
    EXPECT_TRUE(sim.dialogs.messages.empty());
}

TEST_F(Cleanup, AfterACommandThatUnloadsTheMenuTheNextMenuStartsFromItsStartState) {
    // My Computer shows the task manager; a press on the background keeps it...
    choose("", kMyComputer);
    choose("");
    EXPECT_TRUE(frmMenu().menuItem("tmgr").visible());
    // ...until the menu's window is unloaded by a command: then it starts hidden again.
    choose("FleDel");
    EXPECT_FALSE(menuWindowLive());
    choose("");
    EXPECT_EQ(sim.windows.creations("frmMenu"), 2);
    EXPECT_FALSE(frmMenu().menuItem("tmgr").visible());
    EXPECT_TRUE(frmMenu().menuItem("ClipBoadClr").visible());
    EXPECT_FALSE(frmMenu().visible());
    EXPECT_FALSE(frmMenu().menuBar());
}

}  // namespace
}  // namespace quorvel::testing
