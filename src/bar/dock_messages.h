#pragma once

#include <string_view>

namespace quorvel::bar::messages {

inline constexpr std::string_view kAlreadyRunning = "既に起動されています。";
inline constexpr std::string_view kFolderFailed = "設定フォルダを作成できませんでした。";

}  // namespace quorvel::bar::messages
