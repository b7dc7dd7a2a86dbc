// What the console helpers that run beside quorvel.exe under Wine share: one line of UTF-8
// answer on standard output. Windows builds only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvel::test_support {

inline std::string toUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

// Writes the bytes unchanged: the console's code page must not touch the UTF-8 answer.
inline void printLine(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

}  // namespace quorvel::test_support
