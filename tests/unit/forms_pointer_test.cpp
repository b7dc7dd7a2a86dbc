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

// Two overlapping images, as a default picture lies over its item, and a label beside them.
class PointerForm : public forms::Form {
public:
    explicit PointerForm(forms::FormServices services)
        : forms::Form("Pointer", services, forms::Rect{0, 0, 3000, 735}) {
        for (const char* name : {"Under", "Over"}) {
            forms::Image& image = addImage(name, forms::Rect{100, 100, 480, 480});
            image.events.onClick = [this, name] { events.push_back(std::string("click ") + name); };
            image.events.onMouseDown = [this, name](forms::MouseButton b, forms::Point p) {
                events.push_back(std::string("down ") + name + " " +
                                 std::to_string(static_cast<int>(b)) + " " + std::to_string(p.x) +
                                 "," + std::to_string(p.y));
            };
        }
        addLabel("Text", forms::Rect{1000, 100, 480, 480}).events.onClick = [this] {
            events.push_back("click Text");
        };
        backgroundEvents.onMouseDown = [this](forms::MouseButton, forms::Point p) {
            events.push_back("down background " + std::to_string(p.x) + "," + std::to_string(p.y));
        };
        announce();
    }
    std::vector<std::string> events;
};

class FormPointer : public ::testing::Test {
protected:
    platform::sim::CallLog log;
    platform::sim::SimWindowHost host{log};
    platform::sim::VirtualClock clock;
    platform::sim::SimPictures pictures{log};
    PointerForm form{forms::FormServices{host, clock, pictures}};

    void click(forms::Point p) {
        form.mouseDown(forms::MouseButton::Left, p);
        form.mouseUp(forms::MouseButton::Left, p);
    }
};

TEST_F(FormPointer, TheLaterOfTwoOverlappingImagesTakesThePointer) {
    click({200, 200});
    EXPECT_EQ(form.events, (std::vector<std::string>{"down Over 1 100,100", "click Over"}));

    // Hidden, it lets the pointer through to the item beneath.
    form.events.clear();
    form.image("Over").setVisible(false);
    click({200, 200});
    EXPECT_EQ(form.events, (std::vector<std::string>{"down Under 1 100,100", "click Under"}));
}

TEST_F(FormPointer, AClickNeedsPressAndReleaseOnTheSameControl) {
    form.mouseDown(forms::MouseButton::Left, {200, 200});
    form.mouseUp(forms::MouseButton::Left, {1100, 200});  // released over the label
    form.mouseDown(forms::MouseButton::Right, {1100, 200});
    form.mouseUp(forms::MouseButton::Right, {1100, 200});  // a right button never clicks
    EXPECT_EQ(form.events, (std::vector<std::string>{"down Over 1 100,100"}));

    click({1100, 200});
    EXPECT_EQ(form.events.back(), "click Text");
}

TEST_F(FormPointer, PressesOverNoControlGoToTheBackground) {
    form.mouseDown(forms::MouseButton::Right, {2500, 50});
    // Just past the image's right edge is background too.
    form.mouseDown(forms::MouseButton::Right, {580, 200});
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"down background 2500,50", "down background 580,200"}));
}

// A second press as soon and as near as the system's double-click allows (500 ms, a rectangle of
// 60 twips centred on the press before) only repeats the first.
struct SecondPress {
    const char* name;
    std::uint32_t afterMs;
    forms::Point offset;
    bool acts;
};

class FormSecondPress : public FormPointer, public ::testing::WithParamInterface<SecondPress> {};

TEST_P(FormSecondPress, ActsOnlyBeyondTheDoubleClickLimits) {
    const SecondPress& c = GetParam();
    const forms::Point first{200, 200};
    const forms::Point second{first.x + c.offset.x, first.y + c.offset.y};
    // Near the end of the system's clock, which wraps between the two presses.
    const std::uint32_t t0 = 0xFFFFFF00U;
    form.mouseDown(forms::MouseButton::Left, first, t0);
    form.mouseUp(forms::MouseButton::Left, first);
    form.mouseDown(forms::MouseButton::Left, second, t0 + c.afterMs);
    form.mouseUp(forms::MouseButton::Left, second);
    const std::size_t expected = c.acts ? 4 : 2;
    EXPECT_EQ(form.events.size(), expected) << ::testing::PrintToString(form.events);
}

INSTANTIATE_TEST_SUITE_P(Limits, FormSecondPress,
                         ::testing::Values(SecondPress{"Quick", 120, {0, 0}, false},
                                           SecondPress{"AtTheTimeLimit", 500, {30, -30}, false},
                                           SecondPress{"Late", 501, {0, 0}, true},
                                           SecondPress{"TooFarAcross", 100, {31, 0}, true},
                                           SecondPress{"TooFarDown", 100, {0, 31}, true}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(FormPointer, AQuickRunOfClicksIsOneActionUntilSomethingElseComesBetween) {
    const forms::Point at{200, 200};
    std::uint32_t t = 1000;
    const auto press = [&](forms::MouseButton button) {
        form.mouseDown(button, at, t);
        form.mouseUp(button, at);
        t += 300;
    };
    press(forms::MouseButton::Left);
    press(forms::MouseButton::Left);
    press(forms::MouseButton::Left);  // each within the limit of the one before
    EXPECT_EQ(form.events, (std::vector<std::string>{"down Over 1 100,100", "click Over"}));
    // A right press is a press of its own, and the next left one starts afresh; so does one
    // the host could not give a time.
    press(forms::MouseButton::Right);
    press(forms::MouseButton::Left);
    form.mouseDown(forms::MouseButton::Left, at);
    form.mouseUp(forms::MouseButton::Left, at);
    press(forms::MouseButton::Left);
    EXPECT_EQ(form.events.size(), 9U) << ::testing::PrintToString(form.events);
}

}  // namespace
}  // namespace quorvel::testing
