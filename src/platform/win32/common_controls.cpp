#include "platform/win32/common_controls.h"

// clang-format off
#include "platform/win32/win32.h"
#include <commctrl.h>
// clang-format on

#include "platform/win32/system_library.h"

namespace quorvel::platform::win32 {

bool loadCommonControls(DWORD classes, FailureLog& failures) {
    SystemLibrary library(L"comctl32.dll", failures, SystemLibrary::Lifetime::Process);
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = library.function<Init>("InitCommonControlsEx");
    if (init == nullptr) {
        return false;
    }
    const INITCOMMONCONTROLSEX request{sizeof(INITCOMMONCONTROLSEX), classes};
    return failures.check(init(&request), "InitCommonControlsEx");
}

}  // namespace quorvel::platform::win32
