#pragma once

#include "platform/win32/failure_log.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32.h"
// clang-format off
#include <commdlg.h>
// clang-format on

namespace quorvel::platform::win32 {

// The common dialogs' library, loaded from the system folder when the first file, font or
// colour dialog is asked for. Imported by the exe, it would be loaded (with the common
// controls and everything they load) before the program could restrict where libraries come
// from, and every start would pay for dialogs most runs never show.
class DialogLibrary {
public:
    explicit DialogLibrary(FailureLog& failures) noexcept : comdlg32_(L"comdlg32.dll", failures) {}

    // False when the library or one of its functions could not be had; the calls then fail
    // like a cancelled dialog.
    bool load();

    BOOL getOpenFileName(OPENFILENAMEW* request) const noexcept;
    BOOL chooseFont(CHOOSEFONTW* request) const noexcept;
    BOOL chooseColor(CHOOSECOLORW* request) const noexcept;

private:
    using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    using ChooseFontFn = BOOL(WINAPI*)(CHOOSEFONTW*);
    using ChooseColorFn = BOOL(WINAPI*)(CHOOSECOLORW*);

    SystemLibrary comdlg32_;
    bool resolved_ = false;
    GetOpenFileNameFn getOpenFileName_ = nullptr;
    ChooseFontFn chooseFont_ = nullptr;
    ChooseColorFn chooseColor_ = nullptr;
};

}  // namespace quorvel::platform::win32
