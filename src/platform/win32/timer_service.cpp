#include "platform/win32/timer_service.h"

#include <algorithm>

namespace quorvel::platform::win32 {

namespace {
constexpr wchar_t kClassName[] = L"Quorvel.Timers";
}

Win32TimerService::Win32TimerService(HINSTANCE instance, FailureLog& failures)
    : window_(instance, kClassName, &Win32TimerService::windowProc, this), failures_(failures) {}

Win32TimerService::~Win32TimerService() {
    for (const auto& [id, timer] : timers_) {
        failures_.check(KillTimer(window_.get(), id), "KillTimer");
    }
}

void Win32TimerService::arm(forms::Timer& timer, std::uint32_t intervalMs) {
    auto found = ids_.find(&timer);
    UINT_PTR id = 0;
    if (found != ids_.end()) {
        id = found->second;
    } else {
        id = nextId_++;
        ids_.emplace(&timer, id);
        timers_.emplace(id, &timer);
    }
    // Setting an existing id again restarts its count, as re-enabling a timer should.
    if (SetTimer(window_.get(), id, std::max<UINT>(intervalMs, USER_TIMER_MINIMUM), nullptr) == 0) {
        failures_.record("SetTimer");
    }
}

void Win32TimerService::disarm(forms::Timer& timer) {
    auto found = ids_.find(&timer);
    if (found == ids_.end()) {
        return;
    }
    failures_.check(KillTimer(window_.get(), found->second), "KillTimer");
    timers_.erase(found->second);
    ids_.erase(found);
}

void Win32TimerService::tick(UINT_PTR id) {
    auto found = timers_.find(id);
    if (found == timers_.end()) {
        // A tick of a timer already stopped may still have been on its way: nothing to note
        // when there is no timer left to kill.
        static_cast<void>(KillTimer(window_.get(), id));
        return;
    }
    forms::Timer* timer = found->second;
    if (dispatcher_ != nullptr) {
        dispatcher_->dispatch([timer] { timer->tick(); });
    } else {
        timer->tick();
    }
}

LRESULT CALLBACK Win32TimerService::windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_TIMER) {
        auto* self = MessageWindow::ownerOf<Win32TimerService>(window);
        if (self != nullptr) {
            self->failures_.guard([&] { self->tick(wp); });
            return 0;
        }
    }
    return DefWindowProcW(window, message, wp, lp);
}

}  // namespace quorvel::platform::win32
