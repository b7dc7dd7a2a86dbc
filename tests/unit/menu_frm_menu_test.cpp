#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "menu/frm_menu.h"
#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

using forms::MouseButton;
using Shown = platform::sim::SimWindowHost::ShownMenu;

constexpr forms::Point kSlot1{2300, 200};
constexpr forms::Point kMyComputer{400, 200};
constexpr forms::Point kMyDocuments{1000, 200};
constexpr forms::Point kRecycleBin{1600, 200};
constexpr forms::Point kBackground{2400, 660};  // bare background under the slots

forms::Point slotAt(int n) {
    return {settings::slotLeft(n) + 20, 200};
}

class BarMenu : public BarFixture {
protected:
    void SetUp() override {
        auto set = sampleSet(6);
        set.SepIcn = "C:\\icons\\sep.bmp";
        store(set, 1);
        startOpen();
    }
    menu::FrmMenu& frmMenu() { return program->windows().frmMenu(); }
    forms::MenuItem& entry(const char* name) { return frmMenu().menuItem(name); }
    void rightPress(forms::Point at) { userPress(dock(), MouseButton::Right, at); }
    void leftPress(forms::Point at) { userPress(dock(), MouseButton::Left, at); }
    const Shown& lastMenu() { return sim.windows.menusShown.back(); }
    bool menuShows(const std::string& line) {
        const auto& lines = lastMenu().lines;
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The seven entries that depend on the pressed item, in the order the menu lists them.
    std::string itemEntries() {
        std::string shown;
        for (const char* name :
             {"Emp", "SysIfo", "CtPanel", "SepIn", "tmgr", "ClnUp", "ClipBoadClr"}) {
            shown += entry(name).visible() ? '1' : '0';
        }
        return shown;
    }
};

struct VisibilityCase {
    const char* what;
    forms::Point at;
    const char* entries;  // Emp SysIfo CtPanel SepIn tmgr ClnUp ClipBoadClr
};

class MenuVisibility : public BarMenu, public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(MenuVisibility, ThePressedItemDecidesTheItemEntries) {
    leftPress(GetParam().at);
    // Only "Emp SysIfo CtPanel SepIn" hide on the background; the other three keep the start
    // state (tmgr hidden, cleanup and clipboard shown).
    EXPECT_EQ(itemEntries(), GetParam().entries) << GetParam().what;
    EXPECT_TRUE(sim.windows.menusShown.empty());  // a left press opens no menu
}

INSTANTIATE_TEST_SUITE_P(Sources, MenuVisibility,
                         ::testing::Values(VisibilityCase{"slot 1", kSlot1, "0000000"},
                                           VisibilityCase{"slot 4", slotAt(4), "0001000"},
                                           VisibilityCase{"slot 6", slotAt(6), "0001000"},
                                           VisibilityCase{"My Computer", kMyComputer, "0110111"},
                                           VisibilityCase{"My Documents", kMyDocuments, "0000000"},
                                           VisibilityCase{"Recycle Bin", kRecycleBin, "1000000"},
                                           VisibilityCase{"background", kBackground, "0000011"}));

TEST_F(BarMenu, TheBackgroundKeepsWhatThePreviousPressLeft) {
    rightPress(kMyComputer);
    rightPress(kBackground);
    EXPECT_EQ(itemEntries(), "0000111");
    EXPECT_TRUE(menuShows("タスクマネージャ"));
    EXPECT_TRUE(menuShows("クリーンアップ >"));
    EXPECT_TRUE(menuShows("クリップボードのクリア"));
    EXPECT_FALSE(menuShows("システムのプロパティ"));

    rightPress(slotAt(3));
    rightPress(kBackground);
    EXPECT_EQ(itemEntries(), "0000000");
    EXPECT_FALSE(menuShows("クリップボードのクリア"));
    EXPECT_FALSE(menuShows("クリーンアップ >"));
}

TEST_F(BarMenu, ARightPressOnMyComputerShowsTheMenuAsTheUserSeesIt) {
    rightPress(kMyComputer);
    ASSERT_EQ(sim.windows.menusShown.size(), 1U);
    EXPECT_EQ(lastMenu().owner, "frmMenu");
    EXPECT_EQ(lastMenu().menu, "File");
    const std::vector<std::string> expected = {
        "コントロールパネル",
        "システムのプロパティ",
        "タスクマネージャ",
        "アクセサリ >",
        "  システムツール >",
        "    システムの復元",
        "    システム情報",
        "    ディスク クリーンアップ",
        "    ディスク デフラグ",
        "  アドレス帳",
        "  エクスプローラ",
        "  コマンド プロンプト",
        "  ペイント",
        "  メモ帳",
        "  ワードパッド",
        "  電卓",
        "クリーンアップ >",
        "  最近使ったファイルの削除",
        "  インターネット一時ファイルの削除",
        "  インターネット履歴の削除",
        "クリップボードのクリア",
        "検索",
        "ランチャーの切替 >",
        "  ランチャー1 [disabled]",
        "  ランチャー2",
        "  ランチャー3",
        "  ランチャー4",
        "ランチャーの設定 >",
        "  設定ウインドウを開く",
        "  ランチャーを下に表示",
        "  背景画像の変更 >",
        "    画像変更(透明化しない)",
        "    画像変更(透明化する)",
        "    画像をクリアして透明化",
        "    ウインドウの透明化",
        "    背景画像の自動調整 [checked]",
        "  現在のタスクバーの状態を保存",
        "  ----",
        "  Windows の起動時に実行する",
        "タスクバーの非表示",
        "アプリケーションの終了",
        "Windowsの終了 >",
        "  終了オプション",
        "バージョン情報",
    };
    EXPECT_EQ(lastMenu().lines, expected);
}

TEST_F(BarMenu, SlotsSetTheSeparatorNumberWithEitherButton) {
    leftPress(slotAt(5));
    EXPECT_EQ(model().SNo, "4");
    leftPress(kSlot1);
    EXPECT_EQ(model().SNo, "4");  // slot 1 and the other items leave it
    leftPress(kMyComputer);
    EXPECT_EQ(model().SNo, "4");
    rightPress(slotAt(2));
    EXPECT_EQ(model().SNo, "1");
    EXPECT_TRUE(menuShows("このアイコンの前にセパレータを入れる"));
    rightPress(kSlot1);
    EXPECT_FALSE(menuShows("このアイコンの前にセパレータを入れる"));
}

TEST_F(BarMenu, TheSeparatorEntryNamesWhatItWouldDo) {
    model().SE[3] = "1";
    rightPress(slotAt(5));
    EXPECT_TRUE(menuShows("このｱｲｺﾝの前のセパレータを削除"));
    rightPress(slotAt(4));
    EXPECT_TRUE(menuShows("このアイコンの前にセパレータを入れる"));
    // Without a number the caption stays as the last preparation left it.
    model().SNo = "";
    model().SE[2] = "1";
    rightPress(kSlot1);
    EXPECT_EQ(entry("SepIn").caption(), "このアイコンの前にセパレータを入れる");
}

TEST_F(BarMenu, WithoutASeparatorPictureTheSeparatorEntryIsDisabled) {
    model().SepIcn = "";
    rightPress(slotAt(3));
    EXPECT_TRUE(menuShows("このアイコンの前にセパレータを入れる [disabled]"));
}

struct PreparationCase {
    const char* field;
    const char* value;
    const char* line;  // a line the menu then shows
};

class MenuPreparation : public BarMenu, public ::testing::WithParamInterface<PreparationCase> {};

TEST_P(MenuPreparation, TheMenuFollowsTheSettingsEachTimeItOpens) {
    *settings::storedField(model(), GetParam().field) = GetParam().value;
    rightPress(kBackground);
    EXPECT_TRUE(menuShows(GetParam().line)) << GetParam().field << "=" << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, MenuPreparation,
    ::testing::Values(PreparationCase{"TaskB", "非表示", "タスクバーの非表示 [checked]"},
                      PreparationCase{"TaskB", "表示", "タスクバーの非表示"},
                      PreparationCase{"DockPos", "上", "  ランチャーを下に表示"},
                      PreparationCase{"DockPos", "下", "  ランチャーを上に表示"},
                      PreparationCase{"DockPos", "", "  ランチャーを上に表示"},
                      PreparationCase{"DockPos", "left", "  ランチャーを上に表示"},
                      PreparationCase{"Clr", "する", "    ウインドウの透明化 [checked]"},
                      PreparationCase{"Clr", "しない", "    ウインドウの透明化"},
                      PreparationCase{"BkStrch", "しない", "    背景画像の自動調整"},
                      PreparationCase{"RNo", "3", "  ランチャー3 [disabled]"},
                      PreparationCase{"RNo", "3", "  ランチャー1"},
                      PreparationCase{"LN2", "仕事 & 遊び", "  仕事 & 遊び"}));

TEST_F(BarMenu, AnRNoOutsideOneToFourLeavesTheSetEntriesAsTheyWere) {
    rightPress(kBackground);
    model().RNo = "7";
    rightPress(kBackground);
    EXPECT_TRUE(menuShows("  ランチャー1 [disabled]"));
    EXPECT_TRUE(menuShows("  ランチャー2"));
}

TEST_F(BarMenu, TheMenuWindowIsMadeOnceAndStacksTheBarAfreshWithoutShowingIt) {
    EXPECT_EQ(sim.windows.creations("frmMenu"), 0);
    const auto serial = dock().stackingSerial();
    dock().hide();  // closed by its close button meanwhile
    leftPress(kMyComputer);
    EXPECT_EQ(sim.windows.creations("frmMenu"), 1);
    EXPECT_GT(dock().stackingSerial(), serial);
    EXPECT_FALSE(dock().visible());
    EXPECT_FALSE(frmMenu().visible());
    rightPress(kMyComputer);
    EXPECT_EQ(sim.windows.creations("frmMenu"), 1);

    // Unloaded, it starts from its first state again.
    program->windows().unloadMenu();
    sim.dispatch([] {});
    rightPress(kBackground);
    EXPECT_EQ(sim.windows.creations("frmMenu"), 2);
    EXPECT_EQ(itemEntries(), "0000011");
}

TEST_F(BarMenu, TheChosenCommandRunsAfterTheMenuHasClosed) {
    sim.windows.menuChoices = {"Notepad"};
    rightPress(kBackground);
    const auto shown = sim.log.find("popupMenu frmMenu.File");
    const auto ran = sim.log.find("shellExecute");
    ASSERT_TRUE(shown && ran);
    EXPECT_LT(*shown, *ran);
    ASSERT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_EQ(sim.shell.executed[0].file, "notepad.exe");
}

// An entry without a command would be a dead entry in the person's menu.
TEST_F(BarMenu, EveryEntryWithoutASubmenuHasACommand) {
    rightPress(kBackground);
    std::vector<std::string> dead;
    int commands = 0;
    std::function<void(const forms::MenuItem&)> visit = [&](const forms::MenuItem& item) {
        if (item.children().empty() && !item.separator()) {
            ++commands;
            if (!item.onClick) {
                dead.push_back(item.name());
            }
        }
        for (const auto& child : item.children()) {
            visit(*child);
        }
    };
    for (const auto& top : frmMenu().menus()) {
        for (const auto& child : top->children()) {
            visit(*child);
        }
    }
    EXPECT_EQ(commands, 38);
    EXPECT_EQ(dead, std::vector<std::string>{});
}

// The settings submenu's last entry makes the Startup folder's shortcut, started in the folder
// the bar was started in, and takes it away again; its check mark says which it will do.
TEST_F(BarMenu, StartingWithWindowsIsMadeAndTakenAwayFromTheMenu) {
    const auto chooseStartup = [this] {
        sim.windows.menuChoices = {"WinStart"};
        rightPress(kBackground);
    };
    chooseStartup();
    EXPECT_TRUE(menuShows("  Windows の起動時に実行する"));
    EXPECT_EQ(sim.shell.startupShortcut, std::optional<std::string>(kCwd));
    chooseStartup();
    EXPECT_TRUE(menuShows("  Windows の起動時に実行する [checked]"));
    EXPECT_FALSE(sim.shell.startupShortcut);
    sim.shell.startupFolderFails = true;
    chooseStartup();
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text,
              "スタートアップにショートカットを作成できませんでした。\rAccess is denied");
}

TEST_F(BarMenu, TheSettingsEntryOpensOneSettingsWindow) {
    sim.windows.menuChoices = {"DkStg", "DkStg"};
    rightPress(kBackground);
    const auto* window = sim.windows.live("frmSet");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->visible());
    rightPress(kSlot1);
    EXPECT_EQ(sim.windows.live("frmSet"), window);
    EXPECT_EQ(sim.windows.creations("frmSet"), 1);
}

TEST_F(BarMenu, DismissingTheMenuRunsNothing) {
    sim.windows.menuChoices = {""};
    rightPress(kMyComputer);
    EXPECT_TRUE(sim.shell.executed.empty());
    EXPECT_TRUE(sim.shell.properties.empty());
}

TEST_F(BarMenu, EntriesTheUserCannotReachCannotBeChosen) {
    sim.windows.menuChoices = {"SysIfo"};  // hidden after a press on a slot
    EXPECT_THROW(rightPress(kSlot1), std::logic_error);
}

TEST_F(BarMenu, QuittingFromTheMenuShowsTheTaskbarAndEnds) {
    sim.windows.menuChoices = {"AppEnd"};
    EXPECT_THROW(rightPress(kBackground), platform::sim::ProgramEnded);
    EXPECT_TRUE(sim.log.contains("showWindow taskbar Normal"));
}

struct ToolCase {
    const char* item;
    const char* owner;
    const char* verb;
    const char* file;
    const char* directory;
};

class MenuTools : public BarMenu, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(MenuTools, EachToolIsOpenedThroughTheShell) {
    sim.shell.programs = {{"C:\\Windows\\System32\\restore\\rstrui.exe", "found"},
                          {"dfrg.msc", "found"}};
    sim.windows.menuChoices = {GetParam().item};
    rightPress(kMyComputer);
    ASSERT_EQ(sim.shell.executed.size(), 1U);
    const platform::ShellRequest& r = sim.shell.executed[0];
    EXPECT_EQ(r.owner != nullptr ? r.owner->name() : "-", GetParam().owner);
    EXPECT_EQ(r.verb, GetParam().verb);
    EXPECT_EQ(r.file, GetParam().file);
    EXPECT_EQ(r.parameters, "");
    EXPECT_EQ(r.directory, GetParam().directory);
    EXPECT_EQ(r.show, 1);
    EXPECT_TRUE(sim.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MenuTools,
    ::testing::Values(ToolCase{"CtPanel", "frmMenu", "", "control.exe", "c:\\"},
                      ToolCase{"tmgr", "frmMenu", "", "taskmgr.exe", "c:\\"},
                      ToolCase{"rstrui", "frmMenu", "",
                               "C:\\Windows\\System32\\restore\\rstrui.exe", "c:\\"},
                      ToolCase{"msinfo", "frmMenu", "", "msinfo32.exe", "c:\\"},
                      ToolCase{"cleanmgr", "frmMenu", "", "cleanmgr.exe", "c:\\"},
                      ToolCase{"dfrg", "frmMenu", "", "dfrg.msc", "c:\\"},
                      ToolCase{"Wab", "frmMenu", "", "wab.exe", "c:\\"},
                      ToolCase{"expl", "-", "open", "explorer.exe", "c:\\"},
                      ToolCase{"Commp", "frmMenu", "", "cmd.exe", "c:\\"},
                      ToolCase{"MsPaint", "frmMenu", "", "mspaint.exe", "c:\\"},
                      ToolCase{"Notepad", "frmMenu", "", "notepad.exe", "c:\\"},
                      ToolCase{"Wordpad", "frmMenu", "", "wordpad.exe", "c:\\"},
                      ToolCase{"Calc", "frmMenu", "", "calc.exe", "c:\\"},
                      ToolCase{"Find", "-", "find", "c:\\", ""}));

TEST_F(BarMenu, ToolsMissingOnCurrentWindowsStartTheirSuccessors) {
    // Windows on another drive, System Restore straight in the system folder, and the
    // defragmenter a program of its own.
    sim.shell.system = "D:\\WINNT\\system32";
    sim.shell.programs = {{"D:\\WINNT\\system32\\rstrui.exe", "D:\\WINNT\\system32\\rstrui.exe"},
                          {"dfrgui.exe", "D:\\WINNT\\system32\\dfrgui.exe"}};
    sim.windows.menuChoices = {"rstrui", "dfrg"};
    rightPress(kBackground);
    rightPress(kBackground);
    ASSERT_EQ(sim.shell.executed.size(), 2U);
    EXPECT_EQ(sim.shell.executed[0].file, "D:\\WINNT\\system32\\rstrui.exe");
    EXPECT_EQ(sim.shell.executed[1].file, "dfrgui.exe");

    // With neither there, the first is asked for and fails without a word.
    sim.shell.programs.clear();
    sim.windows.menuChoices = {"rstrui"};
    rightPress(kBackground);
    EXPECT_EQ(sim.shell.executed.back().file, "D:\\WINNT\\system32\\restore\\rstrui.exe");
    EXPECT_TRUE(sim.dialogs.messages.empty());
}

TEST_F(BarMenu, AToolThatFailsToStartSaysNothing) {
    sim.shell.failing = {"mspaint.exe"};
    sim.windows.menuChoices = {"MsPaint"};
    rightPress(kBackground);
    EXPECT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_TRUE(sim.dialogs.messages.empty());
}

TEST_F(BarMenu, SystemPropertiesOpenMyComputersSheetAndReportAFailure) {
    sim.windows.menuChoices = {"SysIfo"};
    rightPress(kMyComputer);
    EXPECT_TRUE(sim.log.contains(
        "showProperties owner=frmMenu item=::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
    EXPECT_TRUE(sim.dialogs.messages.empty());

    sim.shell.propertiesFail = true;
    sim.windows.menuChoices = {"SysIfo"};
    rightPress(kMyComputer);
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text, "表示に失敗しました");
}

}  // namespace
}  // namespace quorvel::testing
