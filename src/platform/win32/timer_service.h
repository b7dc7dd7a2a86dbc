#pragma once

#include <cstdint>
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
    // A timer that could not be set, and a failure of a tick's handler (parked for the message
    // loop), go to `failures`.
    Win32TimerService(HINSTANCE instance, FailureLog& failures);
    ~Win32TimerService() override;
    Win32TimerService(const Win32TimerService&) = delete;
    Win32TimerService& operator=(const Win32TimerService&) = delete;

    void arm(forms::Timer& timer, std::uint32_t intervalMs) override;
    void disarm(forms::Timer& timer) override;

    // Every tick runs through this, with its after-event step, so the windows show what the
    // tick changed (also while a message box or a menu runs its own message loop).
    void setDispatcher(EventDispatcher* dispatcher) noexcept { dispatcher_ = dispatcher; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    void tick(UINT_PTR id);

    MessageWindow window_;
    std::unordered_map<forms::Timer*, UINT_PTR> ids_;
    std::unordered_map<UINT_PTR, forms::Timer*> timers_;
    UINT_PTR nextId_ = 1;
    EventDispatcher* dispatcher_ = nullptr;
    FailureLog& failures_;
};

}  // namespace quorvel::platform::win32
