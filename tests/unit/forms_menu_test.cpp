#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/sim/sim_platform.h"

namespace quorvel::testing {
namespace {

constexpr forms::MenuRow kTree[] = {
    {"Top", "Top", 0}, {"A", "あ", 1},          {"A1", "あ1", 2}, {"A2", "あ2", 2, true},
    {"B", "い", 1},    {"Second", "Second", 0}, {"C", "う", 1},
};

class MenuForm : public forms::Form {
public:
    explicit MenuForm(forms::FormServices services)
        : Form("MenuForm", services, {0, 0, 100, 100}, {}, kTree) {
        announce();
    }
};

class FormsMenu : public ::testing::Test {
protected:
    platform::sim::SimPlatform sim;
    MenuForm form{forms::FormServices{sim.windows, sim.clock, sim.pictures}};
};

TEST_F(FormsMenu, ATableBuildsTheTreeByDepth) {
    ASSERT_EQ(form.menus().size(), 2U);
    const forms::MenuItem& top = *form.menus()[0];
    ASSERT_EQ(top.children().size(), 2U);
    EXPECT_EQ(top.children()[0]->children().size(), 2U);
    EXPECT_FALSE(form.menuItem("A2").visible());
    EXPECT_TRUE(form.menuItem("A1").enabled());
    EXPECT_FALSE(form.menuItem("A1").checked());
    EXPECT_EQ(form.menuItem("C").caption(), "う");
    EXPECT_THROW(static_cast<void>(form.menuItem("Z")), std::logic_error);
}

TEST_F(FormsMenu, AnEntryOutOfPlaceIsRefused) {
    constexpr forms::MenuRow skipping[] = {{"Top", "Top", 0}, {"Deep", "Deep", 2}};
    EXPECT_THROW(buildMenus(form, skipping), std::logic_error);
}

TEST_F(FormsMenu, PreparationRunsBeforeTheMenuShowsAndTheCommandAfterItClosed) {
    std::vector<std::string> order;
    forms::MenuItem& top = form.menuItem("Top");
    top.onClick = [&] {
        order.push_back("prepare");
        form.menuItem("B").setCaption("い (prepared)");
    };
    form.menuItem("B").onClick = [&] { order.push_back("B"); };
    sim.windows.menuChoices = {"B"};
    form.popupMenu(top);
    ASSERT_EQ(sim.windows.menusShown.size(), 1U);
    EXPECT_EQ(sim.windows.menusShown[0].lines,
              (std::vector<std::string>{"あ >", "  あ1", "い (prepared)"}));
    EXPECT_EQ(order, (std::vector<std::string>{"prepare", "B"}));
    // A change of an entry is a change of the window.
    const auto revision = form.revision();
    form.menuItem("A1").setChecked(true);
    EXPECT_GT(revision, 0U);
    EXPECT_GT(form.revision(), revision);
}

}  // namespace
}  // namespace quorvel::testing
