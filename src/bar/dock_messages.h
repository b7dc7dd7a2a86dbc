#pragma once

#include <string_view>

namespace quorvel::bar::messages {

inline constexpr std::string_view kAlreadyRunning = "既に起動されています。";
inline constexpr std::string_view kSaveFailed = "設定を保存できませんでした。";
inline constexpr std::string_view kFolderFailed = "設定フォルダを作成できませんでした。";
inline constexpr std::string_view kReadFailed = "設定を読み込めませんでした。";

}  // namespace quorvel::bar::messages
