#include "platform/win32/safe_loading.h"

namespace quorvel::platform::win32 {

bool restrictLibrarySearch(FailureLog& failures) {
    // The libraries the exe imports are resolved before this runs; they are all among the
    // system's known DLLs, which always come from the system folder.
    const bool restricted = failures.check(SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32),
                                           "SetDefaultDllDirectories");
    // Also leave the current directory out of any search that still consults the old order.
    failures.check(SetDllDirectoryW(L""), "SetDllDirectoryW");
    return restricted;
}

PinnedSystemLibraries::PinnedSystemLibraries(FailureLog& failures)
    : ole32_(L"ole32.dll", failures), msimg32_(L"msimg32.dll", failures) {
    // What each of them imports comes from the system folder as well.
    ole32_.load();
    msimg32_.load();
}

}  // namespace quorvel::platform::win32
