#pragma once

#include <array>
#include <functional>

#include "platform/dialogs.h"
#include "platform/win32/dialog_library.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

inline constexpr wchar_t kProgramTitle[] = L"Quorvel";

// The system's dialogs, with the program's title, owned by the window the person works in.
// Message boxes have no icon. The file, font and colour dialogs report a cancel and a dialog
// that could not be shown alike: no choice.
class Win32Dialogs final : public Dialogs {
public:
    // `owner` names the window that owns a dialog when none of the program's windows is active
    // (the bar, or none before it exists).
    Win32Dialogs(std::function<HWND()> owner, FailureLog& failures)
        : owner_(std::move(owner)), library_(failures) {}
    MessageAnswer messageBox(const std::string& text, MessageButtons buttons) override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& preset) override;
    std::optional<forms::ColorNumber> chooseColor(forms::ColorNumber initial) override;
    void beep() override;

private:
    [[nodiscard]] HWND owner() const;

    std::function<HWND()> owner_;
    DialogLibrary library_;
    // The colour dialog's sixteen custom colours, kept while the program runs.
    std::array<COLORREF, 16> customColours_{};
};

// The program separates lines with a lone carriage return; the message box wants CR LF.
[[nodiscard]] std::wstring messageBoxText(const std::string& utf8);

// "desc|pattern|desc|pattern|" as the file dialog wants it: each part ended by a NUL, and the
// whole ended by one more.
[[nodiscard]] std::wstring fileDialogFilter(const std::string& utf8);

}  // namespace quorvel::platform::win32
