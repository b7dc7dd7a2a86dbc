#include "platform/win32/last_resort.h"

#include <csignal>
#include <cstdlib>
#include <exception>

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

namespace {

// A stack overflow leaves the filter only what the thread keeps in reserve.
constexpr ULONG kCrashStackReserve = 64 * 1024;

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

LONG WINAPI lastResortFilter(EXCEPTION_POINTERS* exception) {
    showTaskbarNow();
    // The system's own reporting (or a debugger) still gets the crash.
    return previousFilter != nullptr ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

void onTerminate() {
    showTaskbarNow();
    std::abort();
}

void onAbortSignal(int) {
    showTaskbarNow();
}

#ifdef _MSC_VER
// GCC's run-time sends a pure virtual call to std::terminate; Microsoft's has a handler of its
// own.
void onPureCall() {
    showTaskbarNow();
    std::abort();
}
#endif

}  // namespace

void showTaskbarNow() noexcept {
    // Posted, not sent: a shell that does not answer cannot keep a crash from ending. Every
    // monitor's taskbar comes back, as the bar hid them all.
    if (HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr); taskbar != nullptr) {
        ShowWindowAsync(taskbar, SW_SHOWNORMAL);
    }
    HWND secondary = nullptr;
    while ((secondary = FindWindowExW(nullptr, secondary, L"Shell_SecondaryTrayWnd", nullptr)) !=
           nullptr) {
        ShowWindowAsync(secondary, SW_SHOWNORMAL);
    }
}

void installLastResort() noexcept {
    ULONG reserve = kCrashStackReserve;
    SetThreadStackGuarantee(&reserve);
    previousFilter = SetUnhandledExceptionFilter(&lastResortFilter);
    std::set_terminate(&onTerminate);
    std::signal(SIGABRT, &onAbortSignal);
#ifdef _MSC_VER
    _set_purecall_handler(&onPureCall);
#endif
}

int runGuarded(const std::function<int()>& body,
               const std::function<void(const std::string&)>& report) noexcept {
    std::string message;
    try {
        return body();
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message.clear();
    }
    showTaskbarNow();
    try {
        report(message);
    } catch (...) {
        // Nothing more can be said; the taskbar is back and the program ends.
    }
    return 1;
}

}  // namespace quorvel::platform::win32
