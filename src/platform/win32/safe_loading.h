#pragma once

#include "platform/win32/failure_log.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// The program runs from a folder its user can write to. Every library loaded while it runs,
// by the program itself or by a system component on its behalf (the common controls, the
// dialogs' shell extensions' helpers, the picture decoders), comes from the system folder: a
// DLL planted beside the program, or in the current directory, is never loaded. Called first
// thing, before any library is loaded; false (noted in the log) when the system refused.
bool restrictLibrarySearch(FailureLog& failures);

// Libraries the system's own components load later through their delay-load imports (the
// shell's first call reaches for ole32, the theme engine for msimg32), loaded now from the
// system folder and kept for the program's lifetime. Windows resolves delay loads with the
// restricted search anyway; a loader that does not (Wine's) then finds them already there,
// with everything they import, instead of looking beside the program first.
class PinnedSystemLibraries {
public:
    explicit PinnedSystemLibraries(FailureLog& failures);

private:
    SystemLibrary ole32_;
    SystemLibrary msimg32_;
};

}  // namespace quorvel::platform::win32
