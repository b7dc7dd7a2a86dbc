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

HWND Win32Dialogs::owner() const {
    // A dialog opened from the settings window belongs to it: that window is disabled while the
    // dialog is up, so its buttons cannot be pressed behind it.
    if (HWND active = GetActiveWindow(); active != nullptr) {
        return active;
    }
    return owner_ ? owner_() : nullptr;
}

MessageAnswer Win32Dialogs::messageBox(const std::string& text, MessageButtons buttons) {
    HWND parent = owner();
    UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (parent == nullptr) {
        // Without an owner (the second-instance notice) the box must still come to the front.
        style |= MB_SETFOREGROUND | MB_TOPMOST;
    }
    const int answer = MessageBoxW(parent, messageBoxText(text).c_str(), kProgramTitle, style);
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

void Win32Dialogs::beep() {
    MessageBeep(MB_OK);
}

}  // namespace quorvel::platform::win32
