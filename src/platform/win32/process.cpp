#include "platform/win32/process.h"

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

void Win32Process::exitNow() {
    ExitProcess(0);
}

}  // namespace quorvel::platform::win32
