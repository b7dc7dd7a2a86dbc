#pragma once

#include "platform/win32/failure_log.h"
#include "platform/win32/handle_waits.h"
#include "platform/win32/window_host.h"

namespace quorvel::platform::win32 {

// The program's message loop: messages through the window host's keyboard handling, and the
// handles of `waits` as they are signalled, until a quit message; returns its exit code. A
// handler's failure parked in `failures` is rethrown after the message that met it.
int runMessageLoop(Win32WindowHost& host, HandleWaits& waits, FailureLog& failures);

}  // namespace quorvel::platform::win32
