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

}  // namespace quorvel::platform::win32
