#pragma once

#include "platform/ports.h"
#include "program/program_windows.h"

namespace quorvel::program {

// The composition root: holds the ports and every window. The host creates one, calls start(),
// and after every event it dispatched calls afterEvent() (windows unloaded inside a handler
// are destroyed there, never under the feet of the handler that unloaded them).
class Program {
public:
    explicit Program(platform::Ports ports);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The bar window's load: the start-up sequence.
    void start();
    // The bar window closed by other means than the quit command: shows the taskbar again.
    void unload();

    // The Windows session is about to end (log off, shut down, an installer closing programs).
    // From here on the process may be ended without another word, so the taskbar comes back
    // now.
    void sessionEnding();
    // Another program refused and the session goes on: the bar's taskbar setting holds again.
    void sessionContinues();
    // The session ends: the bar goes as if it had been closed.
    void sessionEnded() { unload(); }
    // The shell started (again) and made a new taskbar, shown whatever the bar had done to the
    // old one.
    void shellRestarted();
    // The screen's size or resolution, a monitor, or the taskbar's size or place changed.
    void screenChanged();
    void afterEvent() noexcept { windows_.reap(); }

    [[nodiscard]] platform::Ports& ports() noexcept { return windows_.ports(); }
    [[nodiscard]] ProgramWindows& windows() noexcept { return windows_; }
    [[nodiscard]] bar::Dock& dock() noexcept { return windows_.dock(); }

private:
    ProgramWindows windows_;
};

}  // namespace quorvel::program
