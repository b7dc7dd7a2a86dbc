// The after-event step as both hosts run it: after every event, nested or not, the windows are
// brought up to date; unloaded windows are destroyed only after the outermost event; a handler
// that throws leaves the dispatcher balanced for the next event.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/event_dispatcher.h"

namespace quorvel::testing {
namespace {

class Dispatching : public ::testing::Test {
protected:
    platform::EventDispatcher events;
    std::vector<std::string> steps;

    Dispatching() {
        events.bringUpToDate = [this] { steps.push_back("sync"); };
        events.afterOutermost = [this] { steps.push_back("reap"); };
    }
};

TEST_F(Dispatching, NestedEventsSyncAtOnceAndReapAfterTheOutermost) {
    events.dispatch([&] {
        steps.push_back("click");
        events.dispatch([&] { steps.push_back("tick inside a message box"); });
        steps.push_back("click done");
    });
    EXPECT_EQ(steps, (std::vector<std::string>{"click", "tick inside a message box", "sync",
                                               "click done", "reap", "sync"}));
    EXPECT_EQ(events.depth(), 0);
}

TEST_F(Dispatching, EventsStartedByTheAfterEventStepItselfDoNotStartAnother) {
    events.bringUpToDate = [&] {
        steps.push_back("sync");
        // Showing a window sends it messages, which come back through the dispatcher.
        events.dispatch([&] { steps.push_back("sent while syncing"); });
    };
    events.dispatch([&] { steps.push_back("click"); });
    EXPECT_EQ(steps, (std::vector<std::string>{"click", "reap", "sync", "sent while syncing"}));
}

TEST_F(Dispatching, AThrowingHandlerSkipsTheStepAndLeavesTheDepthBalanced) {
    EXPECT_THROW(events.dispatch([]() -> int { throw std::runtime_error("boom"); }),
                 std::runtime_error);
    EXPECT_EQ(events.depth(), 0);
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(events.dispatch([] { return 42; }), 42);
    EXPECT_EQ(steps, (std::vector<std::string>{"reap", "sync"}));
}

}  // namespace
}  // namespace quorvel::testing
