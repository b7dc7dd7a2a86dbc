#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "found.h"
#include "sim_settings_window_fixture.h"

namespace quorvel::testing {
namespace {

using platform::MessageButtons;

// The settings window with slot `slot` chosen as a folder link, and the folder chooser opened
// for it. The program was started in C:\w, on a machine with drives C: and D:.
class FolderChooser : public SettingsWindowFixture {
protected:
    FolderChooser() {
        sim.folders.addFolder("C:\\w\\sub");
        sim.folders.addFolder("C:\\Users\\taro");
        sim.folders.addFolder("C:\\Windows");
        sim.folders.addFolder("D:\\写真\\2024");
        sim.folders.addFolder("D:\\音楽");
    }

    settings_window::FrmDirBox& openFor(int slot, int links = 17) {
        startWith(links);
        clickSlot(slot);
        EXPECT_TRUE(choose("LT", "ﾌｫﾙﾀﾞ"));
        press("Command27");
        return present(chooser(), "folder chooser");
    }

    std::vector<std::string> entries() {
        return present(chooser(), "folder chooser").listBox("Dir1").items();
    }
    std::string path() { return present(chooser(), "folder chooser").textBox("txtFldrPas").text(); }
};

TEST_F(FolderChooser, OpensOnDriveCNearTheTopLeft) {
    settings_window::FrmDirBox& box = openFor(12);
    EXPECT_EQ(box.bounds(), (forms::Rect{19200 / 6, 15360 / 7, 4935, 4800}));
    EXPECT_EQ(box.caption(), "Form2");
    EXPECT_EQ(box.style(), forms::FormStyle::Dialog);
    EXPECT_EQ(box.comboBox("Drive1").items(), (std::vector<std::string>{"c: [Windows]", "d:"}));
    EXPECT_EQ(box.comboBox("Drive1").text(), "c: [Windows]");
    EXPECT_EQ(path(), "C:\\");
    // Drive C was already the current drive: the list stays in the start folder.
    EXPECT_EQ(box.folder(), "C:\\w");
    EXPECT_EQ(entries(), (std::vector<std::string>{"C:\\", "  w", "    sub"}));
    // Tab order: the path, キャンセル, OK, the drives, the folders.
    EXPECT_EQ(box.textBox("txtFldrPas").tabIndex(), 0);
    EXPECT_EQ(box.button("cmdCnl").tabIndex(), 1);
    EXPECT_EQ(box.button("cmdOK").tabIndex(), 2);
    EXPECT_EQ(box.comboBox("Drive1").tabIndex(), 3);
    EXPECT_EQ(box.listBox("Dir1").tabIndex(), 4);
}

TEST_F(FolderChooser, StartedOnAnotherDriveItMovesToDriveC) {
    sim.identity.current = "D:\\音楽";
    settings_window::FrmDirBox& box = openFor(2);
    EXPECT_EQ(box.folder(), "C:\\");
    EXPECT_EQ(entries(), (std::vector<std::string>{"C:\\", "  Users", "  w", "  Windows"}));
    EXPECT_EQ(path(), "C:\\");
}

TEST_F(FolderChooser, DrivesAndFoldersFillThePath) {
    settings_window::FrmDirBox& box = openFor(5);
    ASSERT_TRUE(choose(box, "Drive1", "d:"));
    EXPECT_EQ(path(), "D:\\");
    EXPECT_EQ(entries(), (std::vector<std::string>{"D:\\", "  写真", "  音楽"}));
    // A click shows the entry's full path; a double-click opens it.
    sim.dispatch([&] { box.listBox("Dir1").choose(1); });
    EXPECT_EQ(path(), "D:\\写真");
    EXPECT_EQ(box.folder(), "D:\\");
    sim.dispatch([&] { box.listBox("Dir1").activate(1); });
    EXPECT_EQ(box.folder(), "D:\\写真");
    EXPECT_EQ(entries(), (std::vector<std::string>{"D:\\", "  写真", "    2024"}));
    sim.dispatch([&] { box.listBox("Dir1").choose(2); });
    EXPECT_EQ(path(), "D:\\写真\\2024");
    // Back up through an ancestor.
    sim.dispatch([&] { box.listBox("Dir1").activate(0); });
    EXPECT_EQ(box.folder(), "D:\\");
    EXPECT_EQ(path(), "D:\\");
}

TEST_F(FolderChooser, ADriveWithoutAMediumIsNamedAndTheListStaysWhereItWas) {
    sim.folders.driveList.push_back({"E:\\", "e:"});
    sim.folders.notReady.insert("E:\\");
    settings_window::FrmDirBox& box = openFor(5);
    ASSERT_TRUE(choose(box, "Drive1", "d:"));
    sim.dispatch([&] { box.listBox("Dir1").activate(1); });
    ASSERT_TRUE(choose(box, "Drive1", "e:"));
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(
        sim.dialogs.messages[0].text,
        "ドライブの準備ができていません。\re:\rディスクを入れてから、もう一度選んでください。");
    EXPECT_EQ(sim.dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(box.comboBox("Drive1").text(), "d:");
    EXPECT_EQ(box.folder(), "D:\\写真");
    EXPECT_EQ(path(), "D:\\写真");
}

TEST_F(FolderChooser, AFolderThatCannotBeListedShowsItsAncestors) {
    sim.folders.locked.insert("D:\\音楽");
    settings_window::FrmDirBox& box = openFor(5);
    ASSERT_TRUE(choose(box, "Drive1", "d:"));
    sim.dispatch([&] { box.listBox("Dir1").activate(2); });
    EXPECT_EQ(entries(), (std::vector<std::string>{"D:\\", "  音楽"}));
    EXPECT_TRUE(sim.dialogs.messages.empty());
}

class FolderChooserOk : public FolderChooser, public ::testing::WithParamInterface<int> {};

TEST_P(FolderChooserOk, WritesThePathIntoTheSlotAndCloses) {
    const int slot = GetParam();
    settings_window::FrmDirBox& box = openFor(slot == 0 ? 1 : slot);
    if (slot == 0) {
        sim.dispatch([&] { box.openFor(""); });
    }
    sim.dispatch([&] { box.textBox("txtFldrPas").typeText("C:\\Users\\taro"); });
    press(box, "cmdOK");
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        EXPECT_EQ(slotField(n, 'P'),
                  n == slot ? "C:\\Users\\taro" : "C:\\docs\\" + std::to_string(n) + ".txt")
            << n;
    }
    EXPECT_EQ(win().textBox("LP").text(),
              slot == 0 ? "C:\\docs\\1.txt" : std::string("C:\\Users\\taro"));
    EXPECT_EQ(chooser(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Slots, FolderChooserOk, ::testing::Values(12, 17, 0));

// The chooser wrote into whatever slot was selected when OK was pressed, and its path editor.
TEST_F(FolderChooser, OkWritesToTheSlotItWasOpenedForOnly) {
    settings_window::FrmDirBox& box = openFor(12);
    clickSlot(3);
    ASSERT_TRUE(choose(box, "Drive1", "d:"));
    press(box, "cmdOK");
    EXPECT_EQ(slotField(12, 'P'), "D:\\");
    EXPECT_EQ(slotField(3, 'P'), "C:\\docs\\3.txt");
    EXPECT_EQ(win().textBox("LP").text(), "C:\\docs\\3.txt");
}

TEST_F(FolderChooser, CancelAndTheCloseBoxWriteNothing) {
    settings_window::FrmDirBox& box = openFor(4);
    ASSERT_TRUE(choose(box, "Drive1", "d:"));
    press(box, "cmdCnl");
    EXPECT_EQ(chooser(), nullptr);
    EXPECT_EQ(slotField(4, 'P'), "C:\\docs\\4.txt");

    press("Command27");
    ASSERT_NE(chooser(), nullptr);
    EXPECT_TRUE(sim.dispatch([this] { return chooser()->requestClose(); }));
    EXPECT_EQ(chooser(), nullptr);
    EXPECT_EQ(slotField(4, 'P'), "C:\\docs\\4.txt");
}

TEST_F(FolderChooser, ClosingTheSettingsWindowTakesTheChooserAlong) {
    openFor(4);
    press("Command26");
    EXPECT_FALSE(windowOpen());
    EXPECT_EQ(chooser(), nullptr);
    EXPECT_EQ(sim.windows.live("frmDirBox"), nullptr);
}

TEST_F(FolderChooser, EnterIsOk) {
    settings_window::FrmDirBox& box = openFor(7);
    EXPECT_TRUE(sim.dispatch([&] { return box.enterKey(); }));
    EXPECT_EQ(slotField(7, 'P'), "C:\\");
}

}  // namespace
}  // namespace quorvel::testing
