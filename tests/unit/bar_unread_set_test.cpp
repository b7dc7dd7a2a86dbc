// A set the bar could not read is shown as an empty stand-in, and nothing saves that stand-in
// (or the fields of the set shown before it) over what is stored: the read may work again by
// the time of the save.
#include <gtest/gtest.h>

#include <string>

#include "found.h"
#include "sim_settings_window_fixture.h"
#include "window_api/messages.h"

namespace quorvel::testing {
namespace {

using platform::sim::FileOp;

class UnreadSet : public SettingsWindowFixture {
protected:
    void SetUp() override {
        store(sampleSet(5), 1);
        store(sampleSet(2), 2);
        startOpen();
        stored_ = present(sim.disk.fileBytes(setsPath), "sets file");
    }
    // A switch to set n while reading fails one way or another, and the disk then recovers.
    void switchWhileUnreadable(int n, FileOp failing) {
        sim.files.failures[failing] = platform::Error{32, "使用中です。"};
        model().RNo = std::to_string(n);
        restart();
        sim.files.failures.clear();
    }
    void saveFromTheBar() {
        sim.dispatch([this] { dock().cmdDsSave(); });
    }

    std::string stored_;
};

struct Failure {
    const char* name;
    FileOp op;
    int set;
};

class UnreadSetSaves : public UnreadSet, public ::testing::WithParamInterface<Failure> {};

TEST_P(UnreadSetSaves, TheBarsSaveWritesNothingAndSaysWhy) {
    switchWhileUnreadable(GetParam().set, GetParam().op);
    ASSERT_TRUE(dock().setUnread());
    // Nothing of the set shown before stays in the fields.
    EXPECT_EQ(model().L[0].P, "");
    const std::size_t before = sim.dialogs.messages.size();
    saveFromTheBar();
    EXPECT_EQ(sim.disk.fileBytes(setsPath), stored_);
    ASSERT_EQ(sim.dialogs.messages.size(), before + 1);
    EXPECT_NE(sim.dialogs.messages.back().text.find(messages::kSetNotRead), std::string::npos);
}

TEST_P(UnreadSetSaves, TheSettingsWindowsSaveWritesNothingAndKeepsTheEdits) {
    switchWhileUnreadable(GetParam().set, GetParam().op);
    open();
    clickSlot(1);
    type("LN", "新しい名前");
    press("Command22");
    EXPECT_EQ(sim.disk.fileBytes(setsPath), stored_);
    EXPECT_FALSE(saved());
    EXPECT_TRUE(windowOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadSetSaves,
    ::testing::Values(Failure{"CountFailsOnASwitchToSet1", FileOp::FileSize, 1},
                      Failure{"RecordUnreadableOnASwitchToSet2", FileOp::ReadAt, 2},
                      Failure{"FileCannotBeOpenedOnASwitchToSet2", FileOp::EnsureFile, 2}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(UnreadSet, ASetReadAgainSavesAsBefore) {
    switchWhileUnreadable(2, FileOp::ReadAt);
    restart();  // the disk works again
    ASSERT_FALSE(dock().setUnread());
    EXPECT_EQ(model().L[0].P, "C:\\docs\\1.txt");
    model().L[1].N = "改名";
    saveFromTheBar();
    EXPECT_EQ(stored(2, "L2N"), "改名");
    EXPECT_EQ(stored(1, "L5N"), "リンク5");
}

}  // namespace
}  // namespace quorvel::testing
