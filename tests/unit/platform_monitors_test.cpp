// How the screen port finds the bar's monitor among several, each at its own scale, and where
// the taskbar is when the shell's answer cannot be taken as it stands.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/monitors.h"

namespace quorvel::testing {
namespace {

using platform::Monitor;
using platform::PixelRect;

struct Desk {
    const char* name;
    std::vector<Monitor> monitors;
    std::optional<forms::Rect> primary;  // in twips at the primary monitor's own scale
};

class PrimaryMonitor : public ::testing::TestWithParam<Desk> {};

TEST_P(PrimaryMonitor, IsTheOneTheSystemCallsPrimaryInItsOwnTwips) {
    const auto found = platform::primaryMonitor(GetParam().monitors);
    ASSERT_EQ(found.has_value(), GetParam().primary.has_value());
    if (found) {
        EXPECT_EQ(platform::twipsOf(*found), *GetParam().primary);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Desks, PrimaryMonitor,
    ::testing::Values(
        Desk{"OneMonitor", {{{0, 0, 1024, 768}, 96, true}}, forms::Rect{0, 0, 15360, 11520}},
        // A 96-dpi monitor left of a 144-dpi primary one.
        Desk{"MixedScales",
             {{{-1920, 0, 0, 1080}, 96, false}, {{0, 0, 2560, 1440}, 144, true}},
             forms::Rect{0, 0, 25600, 14400}},
        // Listed second, at 120 dpi, its corner away from the origin.
        Desk{"AwayFromTheOrigin",
             {{{0, 0, 1920, 1080}, 96, false}, {{1920, -200, 3200, 824}, 120, true}},
             forms::Rect{23040, -2400, 15360, 12288}},
        Desk{"NoneSaysPrimary",
             {{{0, 0, 800, 600}, 96, false}, {{800, 0, 1600, 600}, 144, false}},
             forms::Rect{0, 0, 12000, 9000}},
        Desk{"NoMonitor", {}, std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(TaskbarArea, ASliverOfAnAnswerGivesWayToTheTaskbarWindow) {
    const PixelRect window{0, 748, 1024, 768};
    EXPECT_EQ(platform::taskbarArea(PixelRect{0, 767, 1024, 768}, window), window);
    EXPECT_EQ(platform::taskbarArea(PixelRect{0, 740, 1024, 768}, window),
              (PixelRect{0, 740, 1024, 768}));
    EXPECT_EQ(platform::taskbarArea(PixelRect{0, 767, 1024, 768}, std::nullopt),
              (PixelRect{0, 767, 1024, 768}));
    EXPECT_EQ(platform::taskbarArea(std::nullopt, window), std::nullopt);
    // A side taskbar answered as a sliver one pixel wide.
    EXPECT_EQ(platform::taskbarArea(PixelRect{0, 0, 1, 768}, PixelRect{0, 0, 62, 768}),
              (PixelRect{0, 0, 62, 768}));
}

TEST(TaskbarArea, IsCountedInPixelsOfFifteenTwips) {
    // 45 pixels at 144 dpi are the 30 the bar keeps clear of.
    EXPECT_EQ(platform::designPixelsOf({0, 1035, 1920, 1080}, 144), (PixelRect{0, 690, 1280, 720}));
    EXPECT_EQ(platform::designPixelsOf({0, 738, 1024, 768}, 96), (PixelRect{0, 738, 1024, 768}));
}

}  // namespace
}  // namespace quorvel::testing
