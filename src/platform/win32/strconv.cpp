#include "platform/win32/strconv.h"

#include <limits>

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

std::wstring toWide(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return {};
    }
    const int inLen = static_cast<int>(utf8.size());
    const int outLen = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLen, nullptr, 0);
    if (outLen <= 0) {
        return {};
    }
    std::wstring out(static_cast<std::size_t>(outLen), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLen, out.data(), outLen);
    return out;
}

std::string toUtf8(std::wstring_view utf16) {
    if (utf16.empty() ||
        utf16.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() / 3)) {
        return {};
    }
    const int inLen = static_cast<int>(utf16.size());
    const int outLen =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inLen, nullptr, 0, nullptr, nullptr);
    if (outLen <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(outLen), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inLen, out.data(), outLen, nullptr, nullptr);
    return out;
}

}  // namespace quorvel::platform::win32
