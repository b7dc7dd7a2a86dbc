#include "platform/win32/message_loop.h"

#include <vector>

namespace quorvel::platform::win32 {

int runMessageLoop(Win32WindowHost& host, HandleWaits& waits, FailureLog& failures) {
    bool waitsWork = true;
    for (;;) {
        const std::vector<HANDLE> handles = waitsWork ? waits.handles() : std::vector<HANDLE>{};
        const auto count = static_cast<DWORD>(handles.size());
        const DWORD woke = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (woke == WAIT_FAILED) {
            // A handle that cannot be waited on would wake the loop for ever: the loop goes on
            // with messages alone, and the bin's safety poll still notices its changes.
            failures.record("MsgWaitForMultipleObjectsEx");
            waitsWork = false;
            continue;
        }
        if (woke >= WAIT_OBJECT_0 && woke < WAIT_OBJECT_0 + count) {
            waits.signalled(handles[woke - WAIT_OBJECT_0]);
            failures.rethrowParked();
            continue;
        }
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (msg.message == WM_QUIT) {
                return static_cast<int>(msg.wParam);
            }
            if (!host.preTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            // A handler that failed inside a window procedure, a tick or a watcher's report.
            failures.rethrowParked();
        }
    }
}

}  // namespace quorvel::platform::win32
