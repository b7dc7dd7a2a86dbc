#pragma once

#include "platform/win32/failure_log.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// Registers the common controls' window classes (ICC_* flags) of the visual style the manifest
// asks for. The library is loaded here, when the first window with real controls or hints needs
// it, not by an import: the bar alone never does, and loading it at start would cost every start
// time and memory. Once loaded it stays for the life of the process, as the classes it registered
// must. False when the library cannot be had (the controls then keep the system's classes).
bool loadCommonControls(DWORD classes, FailureLog& failures);

}  // namespace quorvel::platform::win32
