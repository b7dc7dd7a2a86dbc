#include "platform/win32/error.h"

#include <string>
#include <utility>

#include "platform/win32/handles.h"
#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

std::string systemText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const LocalMemory owned(text);
    if (length == 0 || text == nullptr) {
        return {};
    }
    std::string message = toUtf8(std::wstring_view(text, length));
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

}  // namespace

Error win32Error(DWORD code) {
    std::string message = systemText(code);
    if (message.empty()) {
        message = "Windows error " + std::to_string(code);
    }
    return {static_cast<long>(code), std::move(message)};
}

Error lastError() {
    return win32Error(GetLastError());
}

Error comError(HRESULT result) {
    const auto code = static_cast<DWORD>(result);
    std::string message = systemText(code);
    if (message.empty()) {
        char hex[16] = {};
        snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
        message = std::string("COM error ") + hex;
    }
    return {static_cast<long>(result), std::move(message)};
}

}  // namespace quorvel::platform::win32
