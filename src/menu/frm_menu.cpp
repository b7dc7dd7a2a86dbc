#include "menu/frm_menu.h"

#include <cstddef>
#include <optional>

namespace quorvel::menu {

namespace w = settings::words;

namespace {

// The menu in display order; indentation is depth. Hidden entries are those that only some
// presses show.
constexpr forms::MenuRow kMenu[] = {
    {"File", "File", 0},
    {"Emp", "ごみ箱を空にする", 1, true},
    {"CtPanel", "コントロールパネル", 1, true},
    {"SysIfo", "システムのプロパティ", 1, true},
    {"tmgr", "タスクマネージャ", 1, true},
    {"SepIn", "このアイコンの前にセパレータを入れる", 1, true},
    {"Acc", "アクセサリ", 1},
    {"SysTool", "システムツール", 2},
    {"rstrui", "システムの復元", 3},
    {"msinfo", "システム情報", 3},
    {"cleanmgr", "ディスク クリーンアップ", 3},
    {"dfrg", "ディスク デフラグ", 3},
    {"Wab", "アドレス帳", 2},
    {"expl", "エクスプローラ", 2},
    {"Commp", "コマンド プロンプト", 2},
    {"MsPaint", "ペイント", 2},
    {"Notepad", "メモ帳", 2},
    {"Wordpad", "ワードパッド", 2},
    {"Calc", "電卓", 2},
    {"ClnUp", "クリーンアップ", 1},
    {"FleDel", "最近使ったファイルの削除", 2},
    {"TIFDel", "インターネット一時ファイルの削除", 2},
    {"DelIHstry", "インターネット履歴の削除", 2},
    {"ClipBoadClr", "クリップボードのクリア", 1},
    {"Find", "検索", 1},
    {"Set", "ランチャーの切替", 1},
    {"Set1", "1", 2},
    {"Set2", "2", 2},
    {"Set3", "3", 2},
    {"Set4", "4", 2},
    {"LnchEdit", "ランチャーの設定", 1},
    {"DkStg", "設定ウインドウを開く", 2},
    {"LnchPos", "L", 2},
    {"FBkEdit", "背景画像の変更", 2},
    {"BkClrOff", "画像変更(透明化しない)", 3},
    {"BkClrOn", "画像変更(透明化する)", 3},
    {"NoBkClr", "画像をクリアして透明化", 3},
    {"DClr", "ウインドウの透明化", 3},
    {"BStrch", "背景画像の自動調整", 3},
    {"TBarrrSave", "現在のタスクバーの状態を保存", 2},
    forms::MenuRow::line("StartSep", 2),
    {"WinStart", "Windows の起動時に実行する", 2},
    {"TBar", "タスクバーの非表示", 1},
    {"AppEnd", "アプリケーションの終了", 1},
    {"WinEnd", "Windowsの終了", 1},
    {"WinClse", "終了オプション", 2},
    {"VInfo", "バージョン情報", 1},
};

// The hidden command that empties the Recycle Bin for the bin's entry.
constexpr forms::ControlRow kLayout[] = {
    {"cmdRBinEmp", forms::ControlKind::Command, {}, "RBinEmp"},
};

constexpr std::string_view kInsertSeparator = "このアイコンの前にセパレータを入れる";
constexpr std::string_view kRemoveSeparator = "このｱｲｺﾝの前のセパレータを削除";
constexpr std::string_view kBarToBottom = "ランチャーを下に表示";
constexpr std::string_view kBarToTop = "ランチャーを上に表示";

enum class Show { Hidden, Shown, Keep };

struct EntryVisibility {
    MenuSource source;
    // Emp, SysIfo, CtPanel, SepIn, tmgr, ClnUp, ClipBoadClr
    std::array<Show, 7> entries;
};

constexpr Show H = Show::Hidden;
constexpr Show S = Show::Shown;
constexpr Show K = Show::Keep;

constexpr EntryVisibility kVisibility[] = {
    {MenuSource::FirstSlot, {H, H, H, H, H, H, H}},
    {MenuSource::OtherSlot, {H, H, H, S, H, H, H}},
    {MenuSource::MyComputer, {H, S, S, H, S, S, S}},
    {MenuSource::MyDocuments, {H, H, H, H, H, H, H}},
    {MenuSource::RecycleBin, {S, H, H, H, H, H, H}},
    {MenuSource::Background, {H, H, H, H, K, K, K}},
};

}  // namespace

FrmMenu::FrmMenu(window_api::Windows& windows)
    : forms::Form(std::string(kFormName), windows.formServices(),
                  forms::Rect{0, 0, kNoticeWidth, 0}, kLayout, kMenu),
      windows_(windows) {
    File_->onClick = [this] { File_Click(); };
    SysIfo_->onClick = [this] { SysIfo_Click(); };
    AppEnd_->onClick = [this] { AppEnd_Click(); };
    DkStg_->onClick = [this] { DkStg_Click(); };
    menuItem("VInfo").onClick = [this] { VInfo_Click(); };
    wireTools();
    wireCleanup();
    wireEdits();
    WinStart_->onClick = [this] { WinStart_Click(); };
    Load();
    announce();
}

void FrmMenu::Load() {
    // The new window may have been stacked over the bar: the bar is stacked afresh, the way
    // its set wants it (top-most or not), without being shown if the user had closed it.
    windows_.bar().restackWindow();
}

void FrmMenu::showEntriesFor(MenuSource source) {
    for (const EntryVisibility& row : kVisibility) {
        if (row.source != source) {
            continue;
        }
        const std::array<forms::MenuItem*, 7> entries{Emp_,  SysIfo_, CtPanel_,    SepIn_,
                                                      tmgr_, ClnUp_,  ClipBoadClr_};
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (row.entries[i] != Show::Keep) {
                entries[i]->setVisible(row.entries[i] == Show::Shown);
            }
        }
        return;
    }
}

void FrmMenu::popUp(const std::optional<forms::Rect>& beside) {
    popupMenu(*File_, beside);
}

void FrmMenu::File_Click() {
    const settings::SettingsModel& m = windows_.bar().settings();

    SepIn_->setEnabled(!m.SepIcn.empty());

    for (int n = 1; n <= settings::kSetCount; ++n) {
        if (m.RNo == std::to_string(n)) {
            for (int k = 1; k <= settings::kSetCount; ++k) {
                Set_[static_cast<std::size_t>(k - 1)]->setEnabled(k != n);
            }
        }
    }

    TBar_->setChecked(m.TaskB == w::kHidden);

    for (int k = 1; k <= settings::kSeparatorCount; ++k) {
        if (m.SNo == std::to_string(k)) {
            const bool present = m.SE[static_cast<std::size_t>(k - 1)] == "1";
            SepIn_->setCaption(std::string(present ? kRemoveSeparator : kInsertSeparator));
        }
    }

    LnchPos_->setCaption(std::string(m.DockPos == w::kTop ? kBarToBottom : kBarToTop));
    DClr_->setChecked(m.Clr == w::kYes);
    BStrch_->setChecked(m.BkStrch == w::kYes);
    for (std::size_t k = 0; k < Set_.size(); ++k) {
        Set_[k]->setCaption(m.LN[k]);
    }
    WinStart_->setChecked(windows_.ports().shell.startsWithWindows());
}

void FrmMenu::DkStg_Click() {
    // The settings window is modeless and there is one at most: a second choice brings the
    // open one forward.
    windows_.showSettingsWindow();
}

void FrmMenu::VInfo_Click() {
    // Modeless, one at most: a second choice brings the open one forward.
    windows_.showAbout();
}

void FrmMenu::AppEnd_Click() {
    windows_.bar().cndEnd();
}

}  // namespace quorvel::menu
