// The property and event rules every window relies on, for every kind of control: a setter
// that changes nothing bumps nothing and fires nothing; a real change bumps the form's
// revision (so the host repaints) and fires the change event exactly once; a person's input
// reaches a control only while it is enabled and visible.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "found.h"
#include "platform/sim/call_log.h"
#include "platform/sim/sim_pictures.h"
#include "platform/sim/sim_window_host.h"
#include "platform/sim/virtual_clock.h"

namespace quorvel::testing {
namespace {

using forms::ControlKind;
using K = forms::ControlKind;

constexpr forms::ControlRow kLayout[] = {
    {"Pic", K::Image, {0, 0, 480, 480}, {}, forms::kUnstretched, forms::BuiltinPicture::MyComputer},
    {"Cap", K::Label, {0, 500, 900, 240}, "見出し", forms::kCentred},
    {"Hidden", K::TextField, {}, "初め"},
    {"cmdGo", K::Command, {}, "Go"},
    {"Tick", K::Timer},
    {"Name", K::TextBox, {0, 800, 2000, 300}, "名前"},
    {"Kind", K::ComboBox, {0, 1200, 2000, 300}, "ｱﾌﾟﾘｹｰｼｮﾝ\nﾌｧｲﾙ\nﾌｫﾙﾀﾞ"},
    {"Folders", K::ListBox, {0, 1600, 2000, 900}, "C:\\\nWindows"},
    {"OK", K::Button, {0, 2600, 900, 360}, "OK", forms::kDefaultButton},
    {"Cancel", K::Button, {1000, 2600, 900, 360}, "キャンセル", forms::kCancelButton},
    {"Off", K::Button, {2000, 2600, 900, 360}, "無効", forms::kDisabled | forms::kHidden},
    {"IL", K::Image, {2280, 120, 480, 480}, {}, 0, {}, 3, {600, 0}},
};

class TestForm final : public forms::Form {
public:
    explicit TestForm(forms::FormServices services)
        : forms::Form("Test", services, forms::Rect{0, 0, 6000, 4000}, kLayout) {
        announce();
    }
};

class FormControls : public ::testing::Test {
protected:
    platform::sim::CallLog log;
    platform::sim::SimWindowHost host{log};
    platform::sim::VirtualClock clock;
    platform::sim::SimPictures pictures{log};
    TestForm form{forms::FormServices{host, clock, pictures}};
    std::vector<std::string> events;

    // Counts revision bumps across an action.
    int bumps(const std::function<void()>& action) {
        const auto before = form.revision();
        action();
        return static_cast<int>(form.revision() - before);
    }
};

TEST_F(FormControls, ALayoutTableBuildsEveryRowInOrderWithItsFlags) {
    std::vector<std::string> names;
    for (const auto& c : form.controls()) {
        names.push_back(c->name());
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Pic", "Cap", "Hidden", "cmdGo", "Tick", "Name", "Kind",
                                        "Folders", "OK", "Cancel", "Off", "IL1", "IL2", "IL3"}));
    EXPECT_FALSE(form.image("Pic").stretch());
    ASSERT_TRUE(form.image("Pic").picture());
    EXPECT_EQ(pictureSource(form.image("Pic")), "builtin:MyComputer");
    EXPECT_EQ(form.label("Cap").alignment(), forms::Alignment::Center);
    EXPECT_EQ(form.label("Cap").caption(), "見出し");
    EXPECT_EQ(form.textField("Hidden").text(), "初め");
    EXPECT_FALSE(form.textField("Hidden").visible());
    EXPECT_EQ(form.command("cmdGo").caption(), "Go");
    EXPECT_EQ(form.textBox("Name").text(), "名前");
    EXPECT_EQ(form.comboBox("Kind").items(),
              (std::vector<std::string>{"ｱﾌﾟﾘｹｰｼｮﾝ", "ﾌｧｲﾙ", "ﾌｫﾙﾀﾞ"}));
    EXPECT_EQ(form.comboBox("Kind").listIndex(), -1);
    EXPECT_EQ(form.listBox("Folders").items(), (std::vector<std::string>{"C:\\", "Windows"}));
    EXPECT_TRUE(form.button("OK").isDefault());
    EXPECT_TRUE(form.button("Cancel").isCancel());
    EXPECT_FALSE(form.button("Off").enabled());
    EXPECT_FALSE(form.button("Off").visible());
    // An array: name1..nameN, each moved by the step.
    auto slots = form.getArray<forms::Image, 3>("IL");
    EXPECT_EQ(slots[0]->bounds(), (forms::Rect{2280, 120, 480, 480}));
    EXPECT_EQ(slots[2]->bounds(), (forms::Rect{3480, 120, 480, 480}));
    // Real controls are numbered in creation order for Tab.
    EXPECT_EQ(form.textBox("Name").tabIndex(), 0);
    EXPECT_EQ(form.comboBox("Kind").tabIndex(), 1);
    EXPECT_EQ(form.listBox("Folders").tabIndex(), 2);
    EXPECT_EQ(form.button("Cancel").tabIndex(), 4);
}

TEST_F(FormControls, AskingForAControlOfTheWrongKindOrNameIsCaughtAtOnce) {
    EXPECT_THROW((void)form.image("Cap"), std::logic_error);
    EXPECT_THROW((void)form.textField("Name"), std::logic_error);  // a box is not a hidden field
    EXPECT_THROW((void)form.button("Nope"), std::logic_error);
    EXPECT_THROW((void)(form.getArray<forms::Image, 4>("IL")), std::logic_error);
}

// Every visible property: the same value is no change, another value is exactly one bump.
struct PropertyCase {
    const char* what;
    std::function<void(forms::Form&)> set;
};

class FormProperties : public FormControls, public ::testing::WithParamInterface<PropertyCase> {};

TEST_P(FormProperties, ChangingBumpsOnceAndSettingTheSameValueAgainDoesNot) {
    const PropertyCase& c = GetParam();
    EXPECT_EQ(bumps([&] { c.set(form); }), 1) << c.what;
    EXPECT_EQ(bumps([&] { c.set(form); }), 0) << c.what;
}

const PropertyCase kProperties[] = {
    {"left", [](forms::Form& f) { f.image("Pic").setLeft(7); }},
    {"top", [](forms::Form& f) { f.image("Pic").setTop(7); }},
    {"width", [](forms::Form& f) { f.label("Cap").setWidth(7); }},
    {"height", [](forms::Form& f) { f.label("Cap").setHeight(7); }},
    {"bounds",
     [](forms::Form& f) {
         f.button("OK").setBounds({1, 2, 3, 4});
     }},
    {"visible", [](forms::Form& f) { f.image("Pic").setVisible(false); }},
    {"tool tip", [](forms::Form& f) { f.image("IL1").setToolTip("リンク１"); }},
    {"picture", [](forms::Form& f) { f.image("Pic").clearPicture(); }},
    {"stretch", [](forms::Form& f) { f.image("Pic").setStretch(true); }},
    {"border", [](forms::Form& f) { f.image("Pic").setBorderStyle(1); }},
    {"caption", [](forms::Form& f) { f.label("Cap").setCaption("別"); }},
    {"font",
     [](forms::Form& f) {
         f.label("Cap").setFont({"ＭＳ 明朝", 12, true, false});
     }},
    {"fore colour", [](forms::Form& f) { f.label("Cap").setForeColor(0xFF); }},
    {"alignment", [](forms::Form& f) { f.label("Cap").setAlignment(forms::Alignment::Left); }},
    {"enabled", [](forms::Form& f) { f.textBox("Name").setEnabled(false); }},
    {"tab index", [](forms::Form& f) { f.textBox("Name").setTabIndex(9); }},
    {"box text", [](forms::Form& f) { f.textBox("Name").setText("別"); }},
    {"read-only", [](forms::Form& f) { f.textBox("Name").setReadOnly(true); }},
    {"max length", [](forms::Form& f) { f.textBox("Name").setMaxLength(12); }},
    {"list index", [](forms::Form& f) { f.comboBox("Kind").setListIndex(2); }},
    {"list items", [](forms::Form& f) { f.listBox("Folders").setItems({"D:\\"}); }},
    {"button caption", [](forms::Form& f) { f.button("OK").setCaption("保存"); }},
    {"default", [](forms::Form& f) { f.button("Cancel").setDefault(true); }},
    {"cancel", [](forms::Form& f) { f.button("OK").setCancel(true); }},
    {"form left", [](forms::Form& f) { f.setLeft(7); }},
    {"form visible", [](forms::Form& f) { f.setVisible(true); }},
    {"back colour", [](forms::Form& f) { f.setBackColor(0xF4E1CC); }},
    {"colour key", [](forms::Form& f) { f.setColorKey(forms::kTransparentKey); }},
    {"style", [](forms::Form& f) { f.setStyle(forms::FormStyle::Dialog); }},
    {"title", [](forms::Form& f) { f.setCaption("設定"); }},
};
INSTANTIATE_TEST_SUITE_P(EveryProperty, FormProperties, ::testing::ValuesIn(kProperties));

TEST_F(FormControls, ATextChangesOnlyWhenItReallyChangesWhoeverSetsIt) {
    auto& box = form.textBox("Name");
    auto& hidden = form.textField("Hidden");
    box.onChange = [&] { events.push_back("box " + box.text()); };
    hidden.onChange = [&] { events.push_back("hidden " + hidden.text()); };
    box.setText("名前");  // what it already holds
    hidden.setText("初め");
    box.setText("太郎");
    EXPECT_TRUE(box.typeText("太郎"));  // the host echoing the program's own text
    EXPECT_TRUE(box.typeText("太郎2"));
    hidden.setText("");
    hidden.setText("");
    EXPECT_EQ(events, (std::vector<std::string>{"box 太郎", "box 太郎2", "hidden "}));
}

TEST_F(FormControls, TypingReachesOnlyABoxThatTakesInputAndStopsAtItsLimit) {
    auto& box = form.textBox("Name");
    box.onChange = [&] { events.push_back(box.text()); };
    box.setEnabled(false);
    EXPECT_FALSE(box.typeText("無効"));
    box.setEnabled(true);
    box.setReadOnly(true);
    EXPECT_FALSE(box.typeText("読取"));
    box.setReadOnly(false);
    box.setVisible(false);
    EXPECT_FALSE(box.typeText("隠れ"));
    box.setVisible(true);
    box.setMaxLength(3);
    EXPECT_TRUE(box.typeText("日本語テキスト"));  // cut by characters, never inside one
    EXPECT_EQ(events, std::vector<std::string>{"日本語"});
    // The program itself is not held to the limit: a stored value shows whole.
    box.setText("長い名前のリンク");
    EXPECT_EQ(box.text(), "長い名前のリンク");
}

TEST_F(FormControls, ASelectionFiresOnceWhenItChangesAndNamesNoItemOutsideTheList) {
    auto& kind = form.comboBox("Kind");
    kind.onClick = [&] { events.push_back(std::to_string(kind.listIndex()) + kind.text()); };
    kind.setListIndex(1);
    kind.setListIndex(1);
    EXPECT_TRUE(kind.choose(1));  // the person picking what is already chosen
    kind.setText("ﾌｫﾙﾀﾞ");
    kind.setText("xyz");  // a value a damaged file may hold: no selection, no crash
    kind.setListIndex(7);
    EXPECT_FALSE(kind.choose(3));
    EXPECT_FALSE(kind.choose(-1));
    EXPECT_EQ(events, (std::vector<std::string>{"1ﾌｧｲﾙ", "2ﾌｫﾙﾀﾞ", "-1"}));
    EXPECT_EQ(kind.text(), "");

    kind.setEnabled(false);
    EXPECT_FALSE(kind.choose(0));
    EXPECT_EQ(kind.listIndex(), -1);

    // New items clear the selection without a click.
    kind.setEnabled(true);
    kind.setListIndex(0);
    events.clear();
    kind.setItems({"上", "下"});
    EXPECT_EQ(kind.listIndex(), -1);
    EXPECT_TRUE(events.empty());
}

TEST_F(FormControls, ADoubleClickChoosesThenActivates) {
    auto& list = form.listBox("Folders");
    list.onClick = [&] { events.push_back("click " + list.text()); };
    list.onDblClick = [&] { events.push_back("open " + list.text()); };
    EXPECT_TRUE(list.activate(1));
    EXPECT_TRUE(list.activate(1));  // the second double-click changes no selection
    EXPECT_FALSE(list.activate(5));
    EXPECT_EQ(events, (std::vector<std::string>{"click Windows", "open Windows", "open Windows"}));
}

TEST_F(FormControls, ButtonsTakePressesOnlyWhileTheyCanAndEnterAndEscapeFindThem) {
    for (const char* name : {"OK", "Cancel", "Off"}) {
        form.button(name).onClick = [this, name] { events.emplace_back(name); };
    }
    EXPECT_TRUE(form.button("OK").press());
    EXPECT_FALSE(form.button("Off").press());  // disabled and hidden
    EXPECT_TRUE(form.enterKey());
    EXPECT_TRUE(form.escapeKey());
    form.button("OK").setEnabled(false);
    EXPECT_FALSE(form.enterKey());
    form.button("Cancel").setVisible(false);
    EXPECT_FALSE(form.escapeKey());
    // A hidden command is the program's own: it runs whenever it is pressed.
    int ran = 0;
    form.command("cmdGo").onClick = [&] { ++ran; };
    form.command("cmdGo").press();
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"OK", "OK", "Cancel"}));
}

TEST_F(FormControls, TheCloseBoxGoesToTheFormOnlyWhenItOffersAHandler) {
    EXPECT_FALSE(form.requestClose());  // the host decides for a form without one
    int asked = 0;
    form.onCloseRequest = [&] { ++asked; };
    EXPECT_TRUE(form.requestClose());
    EXPECT_EQ(asked, 1);
}

TEST_F(FormControls, AQuietenedFormStopsItsTimersAndLeavesTheScreen) {
    form.show();
    form.timer("Tick").start(100);
    ASSERT_TRUE(clock.armed(form.timer("Tick")));
    form.quieten();
    EXPECT_FALSE(clock.armed(form.timer("Tick")));
    EXPECT_FALSE(form.visible());
}

TEST_F(FormControls, ALostCaptureBetweenPressAndReleaseIsNoClick) {
    int clicks = 0;
    form.image("IL1").events.onClick = [&] { ++clicks; };
    const forms::Point at{2300, 200};
    form.mouseDown(forms::MouseButton::Left, at);
    form.captureLost();
    form.mouseUp(forms::MouseButton::Left, at);
    EXPECT_EQ(clicks, 0);
    form.mouseDown(forms::MouseButton::Left, at);
    form.mouseUp(forms::MouseButton::Left, at);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace quorvel::testing
