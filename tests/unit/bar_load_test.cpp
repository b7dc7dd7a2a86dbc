#include <gtest/gtest.h>

#include <string>

#include "found.h"
#include "sim_bar_fixture.h"
#include "window_api/popups.h"

namespace quorvel::testing {
namespace {

class BarLoad : public BarFixture {};

TEST_F(BarLoad, StoredSetComesBackWithoutItsPadding) {
    auto set = sampleSet(5);
    set.LN = {"仕事", "遊び", "", "予備"};
    store(set, 1);
    startOpen();
    EXPECT_EQ(model().FntName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(model().DockPos, "上");
    EXPECT_EQ(model().RNo, "1");
    EXPECT_EQ(model().FWdth, "5280");
    EXPECT_EQ(model().L[4].N, "リンク5");
    EXPECT_EQ(model().L[4].P, "C:\\docs\\5.txt");
    EXPECT_EQ(model().LN[1], "遊び");
    EXPECT_EQ(model().LN[2], "ランチャー3");  // an empty name gets its default
    EXPECT_EQ(model().txtRun, "Run");
    EXPECT_EQ(dock().width(), 5280);
    EXPECT_EQ(popup().label("LNm").font().name, "ＭＳ Ｐゴシック");
    ASSERT_NE(dock().slotImage(5).picture(), nullptr);
    EXPECT_EQ(pictureSource(dock().slotImage(5)), "C:\\icons\\5.ico");
}

TEST_F(BarLoad, MissingSetShowsAnEmptySetUnderTheRequestedNumber) {
    auto set = sampleSet(4);
    set.SE[1] = "1";
    set.txtMcIc = "C:\\icons\\pc.ico";
    set.LN[0] = "仕事";
    set.Clr = "する";
    store(set, 1);
    startOpen();
    ASSERT_TRUE(dock().separatorImage(2).visible());
    ASSERT_TRUE(dock().colorKey().has_value());

    model().RNo = "4";
    restart();
    EXPECT_EQ(model().RNo, "4");
    EXPECT_EQ(model().LN[0], "仕事");
    EXPECT_EQ(model().FWdth, "2280");
    EXPECT_EQ(model().txtMcIc, "");
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        EXPECT_EQ(model().L[n - 1].P, "") << n;
        EXPECT_EQ(dock().slotImage(n).picture(), nullptr) << n;
    }
    for (int k = 1; k <= settings::kSeparatorCount; ++k) {
        EXPECT_EQ(model().SE[k - 1], "") << k;
        EXPECT_FALSE(dock().separatorImage(k).visible()) << k;
    }
    EXPECT_EQ(image("ImgMC").picture(), nullptr);
    EXPECT_EQ(pos(image("MCD").bounds()), pos(image("ImgMC").bounds()));
    EXPECT_EQ(dock().width(), 2280);
    EXPECT_EQ(dock().left(), 19200 / 2 - 1140);
    // The empty set is opaque: nothing of the previous set's see-through background stays.
    EXPECT_EQ(model().Clr, "しない");
    EXPECT_EQ(dock().backColor(), forms::kButtonFace);
    EXPECT_FALSE(dock().colorKey().has_value());
}

TEST_F(BarLoad, TheCurrentSetNumberFollowsRNoThroughLoadsAndSaves) {
    store(sampleSet(2), 1);
    startOpen();
    EXPECT_EQ(dock().currentSetNumber(), 1);
    model().RNo = "3";
    restart();  // set 3 is not stored: an empty set 3 is shown
    EXPECT_EQ(dock().currentSetNumber(), 3);
    dock().cmdDsSave();
    EXPECT_EQ(dock().currentSetNumber(), 3);
    EXPECT_EQ(dock().storedSetCount(), 1);
    restart();
    EXPECT_EQ(dock().storedSetCount(), 3);
    EXPECT_EQ(dock().currentSetNumber(), 3);
}

// An empty RNo names no set. The bar shows an empty set for it, and saving that set would
// write it over set 1 (a save takes an empty number for 1): it is refused instead.
TEST_F(BarLoad, AnEmptySetShownForNoNumberIsNeverSavedOverSetOne) {
    store(sampleSet(4), 1);
    startOpen();
    const std::string before = present(sim.disk.fileBytes(setsPath), "sets file");
    model().RNo = "";
    restart();
    EXPECT_EQ(model().L[0].P, "");
    EXPECT_EQ(dock().currentSetNumber(), 0);
    dock().cmdDsSave();
    EXPECT_EQ(sim.disk.fileBytes(setsPath), before);
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text,
              "設定ファイルを保存できませんでした。\r表示中のランチャーには番号がありません。"
              "ランチャーを切り替えてから保存してください。");

    // Back on a set with a number, saving works again.
    model().RNo = "1";
    restart();
    EXPECT_EQ(model().L[0].P, "C:\\docs\\1.txt");
    dock().cmdDsSave();
    EXPECT_EQ(sim.dialogs.messages.size(), 1U);
}

TEST_F(BarLoad, SetNamesReadWithTheFirstSetSurviveLaterLoads) {
    auto first = sampleSet(2);
    first.LN[0] = "仕事";
    store(first, 1);
    auto second = sampleSet(3);
    second.LN[0] = "古い名前";
    store(second, 2);
    startOpen();
    model().RNo = "2";
    restart();
    EXPECT_EQ(model().LN[0], "仕事");
    EXPECT_EQ(model().L[2].N, "リンク3");
    EXPECT_EQ(dock().width(), settings::slotLeft(4));
}

// A never-written record (set 3 saved into an empty file leaves records 1 and 2 blank) must
// not strand the bar at 2 twips with no set number.
TEST_F(BarLoad, NeverWrittenRecordLoadsAsAnEmptySet) {
    store(sampleSet(3), 3);
    startOpen();
    EXPECT_EQ(dock().storedSetCount(), 3);
    EXPECT_EQ(model().RNo, "1");
    EXPECT_EQ(model().L[0].P, "");
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), 2280);
}

struct WidthCase {
    const char* fwdth;
    forms::Twips barWidth;
    forms::Twips background;
    forms::Twips left;  // centred, unless wider than the screen: then its left end stays on
};

class BarWidthText : public BarFixture, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(BarWidthText, IsReadLenientlyAndKeptInRange) {
    auto set = sampleSet(2);
    set.FWdth = GetParam().fwdth;
    store(set, 1);
    startOpen();
    EXPECT_EQ(dock().width(), GetParam().barWidth);
    EXPECT_EQ(image("IFBk").width(), GetParam().background);
    EXPECT_EQ(dock().left(), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Texts, BarWidthText,
                         ::testing::Values(WidthCase{"3480", 3480, 3475, 9600 - 1740},
                                           WidthCase{"abc", 0, 0, 9600},
                                           WidthCase{"240", 240, 235, 9600 - 120},
                                           WidthCase{"999999", 32767, 32762, 1110},
                                           WidthCase{"-800", 0, 0, 9600}));

class RecordingSettingsWindow final : public window_api::SettingsWindow {
public:
    explicit RecordingSettingsWindow(bar::Dock& d) : dock_(d) {}
    void cmdReset() override {
        seenSlot1 = dock_.model().L[0].N;
        ++resets;
    }
    [[nodiscard]] std::string launcherSetNumber() const override { return "2"; }
    int resets = 0;
    std::string seenSlot1;

private:
    bar::Dock& dock_;
};

TEST_F(BarLoad, RestartAskedForByTheSettingsWindowRefreshesItAfterTheReload) {
    store(sampleSet(2), 1);
    startOpen();
    RecordingSettingsWindow window(dock());
    program->windows().setSettingsWindow(&window);
    model().L[0].N = "編集中";  // reverted by the reload
    model().Edit = "1";
    restart();
    EXPECT_EQ(window.resets, 1);
    EXPECT_EQ(window.seenSlot1, "リンク1");
    EXPECT_EQ(model().Edit, "");
    EXPECT_EQ(dock().width(), settings::slotLeft(3));
}

TEST_F(BarLoad, WithoutASettingsWindowTheHandshakeOnlyClearsTheRequest) {
    store(sampleSet(2), 1);
    startOpen();
    model().Edit = "1";
    restart();
    EXPECT_EQ(model().Edit, "");
    EXPECT_EQ(dock().width(), settings::slotLeft(3));
}

}  // namespace
}  // namespace quorvel::testing
