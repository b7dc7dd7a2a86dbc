#include "platform/win32/dialogs.h"

#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

std::wstring messageBoxText(const std::string& utf8) {
    const std::wstring in = toWide(utf8);
    std::wstring out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        out += in[i];
        if (in[i] == L'\r' && (i + 1 == in.size() || in[i + 1] != L'\n')) {
            out += L'\n';
        }
    }
    return out;
}

MessageAnswer Win32Dialogs::messageBox(const std::string& text, MessageButtons buttons) {
    HWND owner = owner_ ? owner_() : nullptr;
    UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (owner == nullptr) {
        // Without an owner (the second-instance notice) the box must still come to the front.
        style |= MB_SETFOREGROUND | MB_TOPMOST;
    }
    const int answer = MessageBoxW(owner, messageBoxText(text).c_str(), kProgramTitle, style);
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace quorvel::platform::win32
