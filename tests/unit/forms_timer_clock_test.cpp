#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/sim/call_log.h"
#include "platform/sim/sim_pictures.h"
#include "platform/sim/sim_window_host.h"
#include "platform/sim/virtual_clock.h"

namespace quorvel::testing {
namespace {

class TimedForm : public forms::Form {
public:
    explicit TimedForm(forms::FormServices s) : forms::Form("Timed", s, forms::Rect{}) {
        announce();
    }
};

class VirtualClockTicks : public ::testing::Test {
protected:
    platform::sim::CallLog log;
    platform::sim::SimWindowHost host{log};
    platform::sim::VirtualClock clock;
    platform::sim::SimPictures pictures{log};
    TimedForm form{forms::FormServices{host, clock, pictures}};
    std::vector<std::string> ticks;

    forms::Timer& timer(const std::string& name) {
        forms::Timer& t = form.addTimer(name);
        t.onTimer = [this, name] { ticks.push_back(name + "@" + std::to_string(clock.now())); };
        return t;
    }
};

// On a tie the timer that was scheduled longer ago goes first: slow's last tick was at 30.
TEST_F(VirtualClockTicks, DueTimersTickInTimeOrderAndRepeat) {
    timer("slow").start(30);
    timer("fast").start(20);
    clock.advance(60);
    EXPECT_EQ(ticks,
              (std::vector<std::string>{"fast@20", "slow@30", "fast@40", "slow@60", "fast@60"}));
    EXPECT_EQ(clock.now(), 60U);
}

TEST_F(VirtualClockTicks, ReArmingInsideATickCountsAfresh) {
    forms::Timer& t = timer("t");
    t.onTimer = [&] {
        ticks.push_back(std::to_string(clock.now()));
        t.start(50);
    };
    t.start(10);
    clock.advance(120);
    EXPECT_EQ(ticks, (std::vector<std::string>{"10", "60", "110"}));
}

TEST_F(VirtualClockTicks, StoppedAndDestroyedTimersNoLongerTick) {
    forms::Timer& stopped = timer("stopped");
    stopped.start(10);
    clock.advance(10);
    stopped.stop();
    clock.advance(100);
    EXPECT_EQ(ticks, (std::vector<std::string>{"stopped@10"}));
    {
        TimedForm other{forms::FormServices{host, clock, pictures}};
        other.addTimer("gone").start(5);
        EXPECT_EQ(clock.armedCount(), 1U);
    }
    EXPECT_EQ(clock.armedCount(), 0U);
    EXPECT_EQ(host.creations("Timed"), 2);
    EXPECT_EQ(host.live("Timed"), &form);
}

}  // namespace
}  // namespace quorvel::testing
