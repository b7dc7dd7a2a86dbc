#pragma once

#include <string_view>

// Every message the program shows of its own, spelt once. The settings store reports what went
// wrong with the files as a structured error; storage_message.h puts it into these words.
namespace quorvel::messages {

// Message lines are joined with a carriage return, as every message box of the program does.
inline constexpr std::string_view kLineBreak = "\r";

inline constexpr std::string_view kAlreadyRunning = "既に起動されています。";
inline constexpr std::string_view kFolderFailed = "設定フォルダーを作成できませんでした。";
inline constexpr std::string_view kCannotRead = "設定ファイルを読み込めませんでした。";
inline constexpr std::string_view kCannotSave = "設定ファイルを保存できませんでした。";
inline constexpr std::string_view kPropertiesFailed = "表示に失敗しました";
// A failure nothing else caught ends the program with this, when it carries no words of its own.
inline constexpr std::string_view kUnexpectedFailure =
    "予期しないエラーが発生したため、終了します。";
inline constexpr std::string_view kSetNotRead =
    "ランチャーを読み込めなかったため、保存しません。読み込み直してから保存してください。";
inline constexpr std::string_view kSetHasNoNumber =
    "表示中のランチャーには番号がありません。ランチャーを切り替えてから保存してください。";

// The menu's cleanup commands. The notice is the menu's own window, shown while one works.
inline constexpr std::string_view kDeletingNotice = "削除しています...";
inline constexpr std::string_view kDeleted = "削除しました。";
inline constexpr std::string_view kCacheCleanupIntro =
    "インターネット一時ファイルの削除を行います。";
inline constexpr std::string_view kHistoryCleanupIntro = "インターネット履歴の削除を行います。";
inline constexpr std::string_view kCloseTheBrowsers =
    "開いているインターネットエクスプローラはすべて";
inline constexpr std::string_view kCloseTheBrowsersEnd = "閉じてください。";
inline constexpr std::string_view kCleanupError = "エラーが発生しました。";
inline constexpr std::string_view kDeleteThroughOptions =
    "一度インターネット オプションより削除してください。";
// Followed by the system's error number.
inline constexpr std::string_view kCacheWalkNotStarted = "ERROR: FindFirstUrlCacheEntry - ";
inline constexpr std::string_view kCacheWalkStopped =
    "Error:  Unable to find the next cache entry - ";
inline constexpr std::string_view kHistoryNotCreated = "ERROR: CoCreateInstance - ";
inline constexpr std::string_view kHistoryNotCleared = "ERROR: ClearHistory - ";
inline constexpr std::string_view kHistoryNotDeleted = "インターネット履歴を削除できませんでした。";
inline constexpr std::string_view kNotImplementedHere = "このシステムでは実装されていません。";

// The settings window.
inline constexpr std::string_view kNotSaved = "設定が保存されていません。";
inline constexpr std::string_view kSaveQuestion = "保存しますか？";
inline constexpr std::string_view kChooseLinkType = "リンク先の種類を選択してください";
inline constexpr std::string_view kEnterUrl = "URLを入力してください。";
inline constexpr std::string_view kSlot17WillBeDeleted = "リンク１７の設定が削除されます。";
inline constexpr std::string_view kAreYouSure = "よろしいですか？";
// A value the settings files cannot hold is never written half right: the user is told which
// field it is and nothing is saved.
inline constexpr std::string_view kUnstorableCharacters =
    "設定ファイルに保存できない文字があります。";
inline constexpr std::string_view kTooLongToStore = "長すぎて設定ファイルに保存できません。";
inline constexpr std::string_view kChangeAndSaveAgain = "変更してから、もう一度保存してください。";

// Links dropped on the bar. The headline comes first, then why, each on its own line.
inline constexpr std::string_view kCannotAddLinks = "リンクを追加できません。";
inline constexpr std::string_view kNoFreeSlot = "ランチャーに空きがありません。";
// Around the number of slots still free.
inline constexpr std::string_view kFreeSlotsBefore = "ランチャーの空きは、あと ";
inline constexpr std::string_view kFreeSlotsAfter = " 個です。";
inline constexpr std::string_view kWindowShowsThisSet =
    "設定ウインドウで、このランチャーを編集しています。";
inline constexpr std::string_view kCloseWindowFirst =
    "設定ウインドウを閉じてから、もう一度ドロップしてください。";

// Starting with Windows, from the menu.
inline constexpr std::string_view kStartupNotMade =
    "スタートアップにショートカットを作成できませんでした。";
inline constexpr std::string_view kStartupNotRemoved =
    "スタートアップのショートカットを削除できませんでした。";

// The folder chooser.
inline constexpr std::string_view kDriveNotReady = "ドライブの準備ができていません。";
inline constexpr std::string_view kInsertMedium = "ディスクを入れてから、もう一度選んでください。";

}  // namespace quorvel::messages
