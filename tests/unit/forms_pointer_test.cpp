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

}  // namespace
}  // namespace quorvel::testing
