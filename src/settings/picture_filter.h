#pragma once

#include <string_view>

namespace quorvel::settings {

// The file-open dialog's choice of picture files wherever a picture is chosen: its five entries
// in this order, each a description and its pattern.
inline constexpr std::string_view kPictureFilter =
    "アイコン (*.ico)|*.ico|"
    "ビットマップ (*.bmp)|*.bmp|"
    "JPEGイメージ (*.JPG)|*.JPG|"
    "GIFイメージ (*.GIF)|*.GIF|"
    "すべてのピクチャファイル (*.*)|*.*|";
inline constexpr int kIconFilter = 1;
inline constexpr int kAllPicturesFilter = 5;

}  // namespace quorvel::settings
