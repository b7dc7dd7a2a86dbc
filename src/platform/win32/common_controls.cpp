#include "platform/win32/common_controls.h"

// clang-format off
#include "platform/win32/win32.h"
#include <commctrl.h>
// clang-format on

namespace quorvel::platform::win32 {

bool loadCommonControls(DWORD classes) noexcept {
    HMODULE library = GetModuleHandleW(L"comctl32.dll");
    if (library == nullptr) {
        library = LoadLibraryW(L"comctl32.dll");
    }
    if (library == nullptr) {
        return false;
    }
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<Init>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (init == nullptr) {
        return false;
    }
    const INITCOMMONCONTROLSEX request{sizeof(INITCOMMONCONTROLSEX), classes};
    return init(&request) != FALSE;
}

}  // namespace quorvel::platform::win32
