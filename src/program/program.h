#pragma once

#include "platform/ports.h"
#include "windows/window_set.h"

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
    void afterEvent() noexcept { windows_.reap(); }

    [[nodiscard]] platform::Ports& ports() noexcept { return windows_.ports(); }
    [[nodiscard]] windows::WindowSet& windows() noexcept { return windows_; }
    [[nodiscard]] bar::Dock& dock() noexcept { return windows_.dock(); }

private:
    windows::WindowSet windows_;
};

}  // namespace quorvel::program
