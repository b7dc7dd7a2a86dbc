// A short seed set of the random-event model checker (the long run is make model-check).
#include <gtest/gtest.h>

#include <cstdint>

#include "model/model_checker.h"

namespace quorvel::testing {
namespace {

class ModelCheck : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(ModelCheck, NoInvariantBreaksInARandomRun) {
    const ModelCheckResult result = runModelCheck(GetParam(), 2000);
    EXPECT_FALSE(result.violation.has_value()) << *result.violation;
    EXPECT_EQ(result.events, 2000U);
    // The run reached the program's corners, not just the bar's surface.
    EXPECT_GT(result.eventCounts.at("settings window"), 0U);
    EXPECT_GT(result.timerTicks, 0U);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelCheck, ::testing::Range<std::uint64_t>(1, 13));

}  // namespace
}  // namespace quorvel::testing
