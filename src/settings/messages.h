#pragma once

#include <string_view>

// Every message the program shows of its own, spelt once. The settings store words its own
// file errors with these headlines, and every window sits above it.
namespace quorvel::messages {

// Message lines are joined with a carriage return, as every message box of the program does.
inline constexpr std::string_view kLineBreak = "\r";

inline constexpr std::string_view kAlreadyRunning = "既に起動されています。";
inline constexpr std::string_view kFolderFailed = "設定フォルダーを作成できませんでした。";
inline constexpr std::string_view kCannotRead = "設定ファイルを読み込めませんでした。";
inline constexpr std::string_view kCannotSave = "設定ファイルを保存できませんでした。";
inline constexpr std::string_view kPropertiesFailed = "表示に失敗しました";
inline constexpr std::string_view kSetHasNoNumber =
    "表示中のランチャーには番号がありません。ランチャーを切り替えてから保存してください。";

}  // namespace quorvel::messages
