#pragma once

#include <string>
#include <string_view>

namespace quorvel::settings_window {

// "リンク１" .. "リンク１７": a link slot as the window names it, with full-width digits.
[[nodiscard]] std::string slotCaption(int n);

// A stored field as the person knows it from the window ("リンク３のパス", "フォント名"), for
// messages about that field; the stored name itself for a field the window does not show.
[[nodiscard]] std::string fieldCaption(std::string_view field);

}  // namespace quorvel::settings_window
