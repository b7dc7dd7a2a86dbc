// The taskbar the bar hides never outlives the bar: the session ending (and going on after
// all), the shell making a new taskbar, and the start that follows a run killed outright.
#include <gtest/gtest.h>

#include <string>

#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

class TaskbarRestore : public BarFixture {
protected:
    // A stored set 1 with the taskbar setting and edge given.
    void storeSet(const char* taskB, const char* dockPos = "上") {
        auto set = sampleSet(3);
        set.TaskB = taskB;
        set.DockPos = dockPos;
        store(set, 1);
    }
    // What a bar at the bottom keeps above the screen's lower edge.
    forms::Twips bottomTop(forms::Twips taskbarTwips) {
        return sim.screen.height - taskbarTwips - dock().height() - 5;
    }
};

TEST_F(TaskbarRestore, AnEndingSessionBringsTheTaskbarBackAndOneThatGoesOnHidesItAgain) {
    storeSet("非表示");
    startOpen();
    ASSERT_FALSE(sim.screen.taskbarVisible);

    sim.dispatch([this] { program->sessionEnding(); });
    EXPECT_TRUE(sim.screen.taskbarVisible);
    // Another program refused to end: the bar's setting holds again.
    sim.dispatch([this] { program->sessionContinues(); });
    EXPECT_FALSE(sim.screen.taskbarVisible);
    EXPECT_TRUE(image("TaskBUp").visible());

    sim.dispatch([this] { program->sessionEnding(); });
    sim.dispatch([this] { program->sessionEnded(); });
    EXPECT_TRUE(sim.screen.taskbarVisible);
}

TEST_F(TaskbarRestore, ASessionThatGoesOnLeavesAShownTaskbarShown) {
    storeSet("表示");
    startOpen();
    sim.dispatch([this] { program->sessionEnding(); });
    sim.dispatch([this] { program->sessionContinues(); });
    EXPECT_TRUE(sim.screen.taskbarVisible);
    EXPECT_TRUE(image("TaskBDwn").visible());
}

TEST_F(TaskbarRestore, AnUnsavedToggleCountsWhenTheSessionGoesOn) {
    storeSet("表示");
    startOpen();
    userClick(dock(), pos(image("TaskBDwn").bounds()));
    ASSERT_FALSE(sim.screen.taskbarVisible);
    sim.dispatch([this] { program->sessionEnding(); });
    ASSERT_TRUE(sim.screen.taskbarVisible);
    sim.dispatch([this] { program->sessionContinues(); });
    EXPECT_FALSE(sim.screen.taskbarVisible);
}

TEST_F(TaskbarRestore, ANewTaskbarIsHiddenAgainAndMeasuredForABottomBar) {
    storeSet("非表示", "下");
    startOpen();
    ASSERT_FALSE(sim.screen.taskbarVisible);
    ASSERT_EQ(dock().top(), bottomTop(0));

    // Explorer restarted: a new, visible taskbar window, now 40 pixels high.
    sim.screen.taskbar = 0x9A11;
    sim.screen.taskbarVisible = true;
    sim.screen.rect = platform::PixelRect{0, 984, 1280, 1024};
    sim.dispatch([this] { program->shellRestarted(); });

    EXPECT_FALSE(sim.screen.taskbarVisible);
    EXPECT_EQ(model().BarSize, "600");
    EXPECT_EQ(dock().top(), bottomTop(0));
    EXPECT_EQ(sim.screen.showCalls.back().window, 0x9A11U);
}

TEST_F(TaskbarRestore, ABottomBarSitsOnANewTaskbarOfAnotherHeight) {
    storeSet("表示", "下");
    startOpen();
    ASSERT_EQ(dock().top(), bottomTop(450));
    sim.screen.rect = platform::PixelRect{0, 984, 1280, 1024};
    sim.dispatch([this] { program->shellRestarted(); });
    EXPECT_TRUE(sim.screen.taskbarVisible);
    EXPECT_EQ(dock().top(), bottomTop(600));
    EXPECT_EQ(panel().top(), dock().top() + 50);
}

// A taskbar is every taskbar the shell shows, one on each monitor: all are hidden and shown
// together, a monitor attached meanwhile has its taskbar hidden too, and every way of ending
// brings them all back.
struct Ending {
    const char* name;
    void (*end)(program::Program&);
};

class EveryTaskbar : public TaskbarRestore, public ::testing::WithParamInterface<Ending> {};

TEST_P(EveryTaskbar, IsHiddenWithTheBarsAndComesBackWhenTheProgramEnds) {
    sim.screen.secondaryTaskbars = {{0x5EC1}, {0x5EC2}};
    storeSet("表示");
    startOpen();
    userClick(dock(), pos(image("TaskBDwn").bounds()));
    EXPECT_TRUE(sim.screen.everyTaskbar(false));
    sim.screen.secondaryTaskbars.push_back({0x5EC3});
    sim.dispatch([this] { program->screenChanged(); });
    ASSERT_TRUE(sim.screen.everyTaskbar(false));

    try {
        sim.dispatch([this] { GetParam().end(*program); });
    } catch (const platform::sim::ProgramEnded&) {
    }
    EXPECT_TRUE(sim.screen.everyTaskbar(true));
}

INSTANTIATE_TEST_SUITE_P(
    Endings, EveryTaskbar,
    ::testing::Values(Ending{"Quit", [](program::Program& p) { p.dock().cndEnd(); }},
                      Ending{"WindowClosed", [](program::Program& p) { p.unload(); }},
                      Ending{"SessionEnding", [](program::Program& p) { p.sessionEnding(); }}),
    [](const auto& p) { return std::string(p.param.name); });

// A run killed outright (the task manager, a crash that runs no code) leaves the taskbar as it
// was. The next start applies the taskbar setting whichever way the set loads.
struct AfterAKill {
    const char* name;
    const char* storedTaskB;  // nullptr: nothing stored for set 1
    bool otherSetStored;      // set 2 stored, so set 1 is a missing set
    bool setsFileLocked;      // sl.dat cannot be read
    bool taskbarShown;        // what the next start leaves
};

class NextStartAfterAKill : public TaskbarRestore,
                            public ::testing::WithParamInterface<AfterAKill> {};

TEST_P(NextStartAfterAKill, AppliesTheTaskbarSetting) {
    const AfterAKill& c = GetParam();
    if (c.storedTaskB != nullptr) {
        storeSet(c.storedTaskB);
    }
    if (c.otherSetStored) {
        auto set = sampleSet(2);
        set.TaskB = "非表示";
        store(set, 2);
    }
    startOpen();
    // The person hides the taskbar and the run is killed before anything else happens.
    if (sim.screen.taskbarVisible) {
        userClick(dock(), pos(image("TaskBDwn").bounds()));
    }
    ASSERT_FALSE(sim.screen.taskbarVisible);
    program.reset();
    EXPECT_FALSE(sim.screen.taskbarVisible) << "a killed run restores nothing";

    if (c.setsFileLocked) {
        sim.disk.lockFile(setsPath);
    }
    startOpen();
    EXPECT_EQ(sim.screen.taskbarVisible, c.taskbarShown);
    EXPECT_EQ(image("TaskBDwn").visible(), c.taskbarShown);
    EXPECT_EQ(image("TaskBUp").visible(), !c.taskbarShown);
    EXPECT_EQ(model().TaskB, c.taskbarShown ? "表示" : "非表示");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextStartAfterAKill,
    ::testing::Values(AfterAKill{"StoredShown", "表示", false, false, true},
                      AfterAKill{"StoredHidden", "非表示", false, false, false},
                      AfterAKill{"NothingStored", nullptr, false, false, true},
                      AfterAKill{"SetOneMissing", nullptr, true, false, true},
                      AfterAKill{"SetsFileUnreadable", "非表示", false, true, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(TaskbarRestore, ASwitchToASetThatIsNotStoredShowsTheTaskbarItsButtonPromises) {
    storeSet("非表示");
    startOpen();
    ASSERT_FALSE(sim.screen.taskbarVisible);
    model().RNo = "3";
    restart();
    EXPECT_EQ(model().TaskB, "表示");
    EXPECT_TRUE(image("TaskBDwn").visible());
    EXPECT_TRUE(sim.screen.taskbarVisible);
}

}  // namespace
}  // namespace quorvel::testing
