#pragma once

#include <string>
#include <string_view>

namespace quorvel::platform::win32 {

// The program keeps UTF-8; the system's W functions take UTF-16. These two are the only
// crossing. Invalid input is replaced (U+FFFD), never dropped or cut short.
[[nodiscard]] std::wstring toWide(std::string_view utf8);
[[nodiscard]] std::string toUtf8(std::wstring_view utf16);

}  // namespace quorvel::platform::win32
