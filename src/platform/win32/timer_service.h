#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <unordered_map>
#include <utility>

#include "forms/timer.h"
#include "platform/event_dispatcher.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_window.h"

namespace quorvel::platform::win32 {

// Window timers on a hidden message-only window. Each forms::Timer gets an id of its own that is
// never reused, so a tick still queued for a timer that has gone finds nothing to call.
class Win32TimerService final : public forms::TimerService {
public:
    explicit Win32TimerService(HINSTANCE instance, FailureLog* failures = nullptr);
    ~Win32TimerService() override;
    Win32TimerService(const Win32TimerService&) = delete;
    Win32TimerService& operator=(const Win32TimerService&) = delete;

    void arm(forms::Timer& timer, std::uint32_t intervalMs) override;
    void disarm(forms::Timer& timer) override;

    // Every tick runs through this, with its after-event step, so the windows show what the
    // tick changed (also while a message box or a menu runs its own message loop).
    void setDispatcher(EventDispatcher* dispatcher) noexcept { dispatcher_ = dispatcher; }

    // A handler that threw inside the window system's callback cannot unwind through it; the
    // failure is kept and rethrown by the message loop.
    void rethrowPendingFailure() {
        if (pendingFailure_) {
            std::rethrow_exception(std::exchange(pendingFailure_, nullptr));
        }
    }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    void tick(UINT_PTR id);

    MessageWindow window_;
    std::unordered_map<forms::Timer*, UINT_PTR> ids_;
    std::unordered_map<UINT_PTR, forms::Timer*> timers_;
    UINT_PTR nextId_ = 1;
    std::exception_ptr pendingFailure_;
    EventDispatcher* dispatcher_ = nullptr;
    FailureLog* failures_ = nullptr;
};

}  // namespace quorvel::platform::win32
