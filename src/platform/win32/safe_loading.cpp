#include "platform/win32/safe_loading.h"

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

bool restrictLibrarySearch() noexcept {
    // The libraries the exe imports are resolved before this runs; they are all among the
    // system's known DLLs, which always come from the system folder.
    const bool restricted = SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
    // Also leave the current directory out of any search that still consults the old order.
    SetDllDirectoryW(L"");
    return restricted;
}

PinnedSystemLibraries::PinnedSystemLibraries() noexcept {
    constexpr const wchar_t* kNames[kCount] = {L"ole32.dll", L"msimg32.dll"};
    for (int i = 0; i < kCount; ++i) {
        // The flag holds for what each of them imports as well.
        modules_[i] = LoadLibraryExW(kNames[i], nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

PinnedSystemLibraries::~PinnedSystemLibraries() {
    for (HMODULE module : modules_) {
        if (module != nullptr) {
            FreeLibrary(module);
        }
    }
}

}  // namespace quorvel::platform::win32
