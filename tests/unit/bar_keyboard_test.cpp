#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/dock_geometry.h"
#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

using forms::Key;
using forms::KeyPress;

// The bar from the keyboard: the global key brings it up, and keys reach it only while it has
// the keyboard, as the host delivers them (one event each).
class BarKeyboard : public BarFixture {
protected:
    forms::ItemRow& row() { return dock().items(); }
    void hotkey() {
        sim.dispatch([this] { dock().hotkeyPressed(); });
        sim.clock.advance(settle);
    }
    bool key(KeyPress k) {
        return sim.dispatch([&] { return row().keyDown(k); });
    }
    bool key(Key k) { return key(KeyPress{k}); }
    std::string currentName() {
        const auto at = row().current();
        return at ? row().items()[*at].name() : "(none)";
    }
    // The names of the items the keyboard visits from Home, Right after Right.
    std::vector<std::string> walk() {
        key(Key::Home);
        std::vector<std::string> seen{currentName()};
        for (int i = 0; i < 30 && key(Key::Right) && currentName() != seen.back(); ++i) {
            seen.push_back(currentName());
        }
        return seen;
    }
};

TEST_F(BarKeyboard, TheHotkeyGivesTheBarTheKeyboardOnTheFirstLinkAndShowsItsName) {
    store(sampleSet(3), 1);
    startOpen();
    EXPECT_EQ(dock().hotkey(), bar::Dock::kHotkey);
    // Before it, the bar takes no key at all.
    EXPECT_FALSE(key(Key::Right));
    EXPECT_FALSE(key(Key::Enter));
    EXPECT_TRUE(sim.shell.executed.empty());

    hotkey();
    EXPECT_EQ(sim.windows.focused(), &dock());
    EXPECT_TRUE(row().showsFocus());
    EXPECT_EQ(currentName(), "リンク1");
    EXPECT_EQ(popup().name(), "リンク1");  // as the pointer resting on it would show

    // Escape hands the keyboard back; the mark goes with it, and the item is kept for next time.
    key(Key::Right);
    EXPECT_TRUE(key(Key::Escape));
    EXPECT_EQ(sim.windows.focused(), nullptr);
    EXPECT_FALSE(row().showsFocus());
    hotkey();
    EXPECT_EQ(currentName(), "リンク2");
}

TEST_F(BarKeyboard, ArrowsVisitEveryItemOnTheBarInOrderAndStepOverGaps) {
    auto set = sampleSet(4);
    set.L[1] = {};          // slot 2 is a gap
    set.L[5].N = "幅の外";  // slot 6 lies beyond the bar's width (slot 5's left edge)
    set.L[5].T = "ﾌｧｲﾙ";
    store(set, 1);
    startOpen();
    hotkey();
    EXPECT_EQ(walk(), (std::vector<std::string>{"隠す", "タスクバーの非表示", "マイ コンピュータ",
                                                "マイ ドキュメント", "ごみ箱", "リンク1", "リンク3",
                                                "リンク4"}));
    key(Key::End);
    EXPECT_EQ(currentName(), "リンク4");
    key(Key::Home);
    EXPECT_TRUE(key(Key::Left));  // taken at the end, nothing moves
    EXPECT_EQ(currentName(), "隠す");
}

TEST_F(BarKeyboard, EnterAndSpaceDoWhatALeftClickDoes) {
    store(sampleSet(3), 1);
    startOpen();
    hotkey();
    key(KeyPress{Key::Digit, 2});
    ASSERT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_EQ(sim.shell.executed[0].file, "C:\\docs\\2.txt");
    EXPECT_EQ(model().Text1, "L2");  // it flashes
    EXPECT_EQ(currentName(), "リンク2");

    key(Key::Home);  // the close button
    key(Key::Right);
    key(Key::Space);  // the taskbar toggle
    EXPECT_EQ(model().TaskB, "非表示");
    EXPECT_EQ(currentName(), "タスクバーの表示");
    key(Key::Enter);
    EXPECT_EQ(model().TaskB, "表示");
    for (int i = 0; i < 3; ++i) {
        key(Key::Right);
    }
    key(Key::Enter);  // the Recycle Bin opens on the press
    EXPECT_EQ(sim.shell.executed.back().file, "::{645FF040-5081-101B-9F08-00AA002F954E}");

    key(Key::Home);
    key(Key::Enter);  // folds the bar, as its close button does
    sim.clock.advance(settle);
    EXPECT_FALSE(dock().visible());
    // Folded, the bar comes back with the key, at its width and with the keyboard.
    hotkey();
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), std::stoi(model().FWdth));
    EXPECT_EQ(sim.windows.focused(), &dock());
}

TEST_F(BarKeyboard, DigitsOpenTheFirstTenLinksOnly) {
    store(sampleSet(settings::kSlotCount), 1);
    startOpen();
    hotkey();
    key(KeyPress{Key::Digit, 0});
    key(KeyPress{Key::Digit, 9});
    ASSERT_EQ(sim.shell.executed.size(), 2U);
    EXPECT_EQ(sim.shell.executed[0].file, "C:\\docs\\10.txt");
    EXPECT_EQ(sim.shell.executed[1].file, "C:\\docs\\9.txt");
    // Without a tenth link, 0 opens nothing.
    store(sampleSet(3), 1);
    restart();
    hotkey();
    EXPECT_FALSE(key(KeyPress{Key::Digit, 0}));
    EXPECT_EQ(sim.shell.executed.size(), 2U);
}

TEST_F(BarKeyboard, TheMenuKeyOpensTheItemsMenuBesideItAndTheKeyboardComesBack) {
    store(sampleSet(5), 1);
    startOpen();
    hotkey();
    for (int i = 0; i < 3; ++i) {
        key(Key::Right);  // slot 4
    }
    key(Key::Menu);
    ASSERT_EQ(sim.windows.menusShown.size(), 1U);
    const forms::Rect slot4 = bar::geometry::slotRect(4);
    EXPECT_EQ(sim.windows.menusShown[0].beside,
              (forms::Rect{dock().left() + slot4.left, dock().top() + slot4.top, slot4.width,
                           slot4.height}));
    EXPECT_EQ(model().SNo, "3");  // as a right press on slot 4 sets it
    EXPECT_EQ(sim.windows.focused(), &dock());
    // The pointer's menu still opens at the pointer.
    userPress(dock(), forms::MouseButton::Right, pos(bar::geometry::slotRect(1)));
    EXPECT_EQ(sim.windows.menusShown.back().beside, std::nullopt);
}

TEST_F(BarKeyboard, AClickThatGivesTheBarTheFocusShowsNoMarkUntilAKeyIsPressed) {
    store(sampleSet(3), 1);
    startOpen();
    sim.dispatch([this] { row().focusChanged(true); });
    EXPECT_FALSE(row().showsFocus());
    key(Key::Right);
    EXPECT_TRUE(row().showsFocus());
}

// What a screen reader is told of the items, beyond their names above.
TEST_F(BarKeyboard, TheRecycleBinSaysWhetherItIsEmptyAndAnUnnamedLinkIsCalledByItsNumber) {
    auto set = sampleSet(3);
    set.L[2].N.clear();
    store(set, 1);
    startOpen();
    const forms::RowItem& bin = row().items()[bar::Dock::kFixedItemCount - 1];
    EXPECT_EQ(bin.value(), "空");
    sim.shell.binItems = 3;
    sim.dispatch([this] { sim.shell.binChanged(); });
    sim.clock.advance(settle);
    EXPECT_EQ(bin.value(), "空ではない");
    EXPECT_EQ(row().items()[bar::Dock::kFixedItemCount + 2].name(), "リンク３");
    EXPECT_EQ(row().accessibleName(), "Quorvel");
}

}  // namespace
}  // namespace quorvel::testing
