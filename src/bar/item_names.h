#pragma once

#include <string_view>

// What the bar's items are called: the names the pointer shows beside the bar, and the names
// and values a screen reader says of them.
namespace quorvel::bar::names {

inline constexpr std::string_view kMyComputer = "マイ コンピュータ";
inline constexpr std::string_view kMyDocuments = "マイ ドキュメント";
inline constexpr std::string_view kRecycleBin = "ごみ箱";

// The items that show no name beside the bar, as the settings window calls them.
inline constexpr std::string_view kCloseButton = "隠す";
inline constexpr std::string_view kHideTaskbar = "タスクバーの非表示";
inline constexpr std::string_view kShowTaskbar = "タスクバーの表示";

inline constexpr std::string_view kBinEmpty = "空";
inline constexpr std::string_view kBinNotEmpty = "空ではない";

}  // namespace quorvel::bar::names
