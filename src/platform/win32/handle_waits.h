#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// Kernel objects that the program's message loop waits on beside its messages, each with what
// to do once it is signalled. The loop waits on them itself: a wait of the system's thread pool
// keeps two threads for it, about two megabytes of memory under Wine, and the program keeps
// them all day for a change that comes now and then. A handler runs on the user-interface
// thread, between messages; inside a menu's or a message box's own loop the signal waits until
// that loop ends.
class HandleWaits {
public:
    // Leaving one ends its wait.
    class Registration {
    public:
        Registration() noexcept = default;
        Registration(Registration&& other) noexcept;
        Registration& operator=(Registration&& other) noexcept;
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;
        ~Registration();

    private:
        friend class HandleWaits;
        Registration(HandleWaits* waits, std::uint64_t id) noexcept : waits_(waits), id_(id) {}
        HandleWaits* waits_ = nullptr;
        std::uint64_t id_ = 0;
    };

    HandleWaits() = default;
    HandleWaits(const HandleWaits&) = delete;
    HandleWaits& operator=(const HandleWaits&) = delete;

    // Waits on `handle` until the registration goes; `signalled` must make the object
    // unsignalled again (or drop the registration), or it runs again at once.
    [[nodiscard]] Registration add(HANDLE handle, std::function<void()> signalled);
    // The handles to wait on now, as many as one wait can take beside the messages.
    [[nodiscard]] std::vector<HANDLE> handles() const;
    // Runs the handler of a handle that was signalled, if it is still waited on.
    void signalled(HANDLE handle);

private:
    struct Entry {
        std::uint64_t id;
        HANDLE handle;
        std::function<void()> signalled;
    };
    void remove(std::uint64_t id) noexcept;

    std::vector<Entry> entries_;
    std::uint64_t nextId_ = 1;
};

}  // namespace quorvel::platform::win32
