#pragma once

#include <functional>

#include "platform/dialogs.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

inline constexpr wchar_t kProgramTitle[] = L"Quorvel";

// Message boxes with the program's title and no icon, owned by the bar when it exists.
class Win32Dialogs final : public Dialogs {
public:
    explicit Win32Dialogs(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    MessageAnswer messageBox(const std::string& text, MessageButtons buttons) override;

private:
    std::function<HWND()> owner_;
};

// The program separates lines with a lone carriage return; the message box wants CR LF.
[[nodiscard]] std::wstring messageBoxText(const std::string& utf8);

}  // namespace quorvel::platform::win32
