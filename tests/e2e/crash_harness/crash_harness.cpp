// Hides the taskbar, as the bar does, and then dies in the way its argument names, on the
// main thread inside its message loop or on a thread of its own. The last-resort handlers and
// the guarded run are the bar's own; the tests check that the taskbar is back every time.
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

#include "platform/win32/last_resort.h"
#include "platform/win32/win32.h"

namespace {

namespace w = quorvel::platform::win32;

constexpr UINT_PTR kCrashTimer = 1;
constexpr UINT kCrashAfterMs = 300;

// Deeper than any stack, but not endless on paper: the compiler sees a way out.
int overflow(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    if (depth > 1'000'000'000) {
        return frame[0];
    }
    return overflow(depth + 1) + frame[0];
}

void throwFrom() noexcept(false) {
    throw std::runtime_error("crash harness: std::runtime_error");
}

void notAllowedToThrow() noexcept {
    throwFrom();
}

DWORD WINAPI crashingThread(LPVOID) {
    *static_cast<volatile int*>(nullptr) = 1;
    return 0;
}

DWORD WINAPI throwingThread(LPVOID) {
    throwFrom();
    return 0;
}

// Runs in the message loop, as the bar's handlers do.
void crash(const std::wstring& mode) {
    if (mode == L"throw") {
        throwFrom();
    } else if (mode == L"throw-other") {
        throw 42;
    } else if (mode == L"access-violation") {
        *static_cast<volatile int*>(nullptr) = 1;
    } else if (mode == L"stack-overflow") {
        overflow(0);
    } else if (mode == L"terminate") {
        std::terminate();
    } else if (mode == L"abort") {
        std::abort();
    } else if (mode == L"noexcept") {
        notAllowedToThrow();
    } else if (mode == L"thread-access-violation" || mode == L"thread-throw") {
        HANDLE thread =
            CreateThread(nullptr, 0, mode == L"thread-throw" ? &throwingThread : &crashingThread,
                         nullptr, 0, nullptr);
        WaitForSingleObject(thread, INFINITE);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    w::installLastResort();
    const std::wstring mode = commandLine;
    return w::runGuarded(
        [&mode] {
            if (HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr); taskbar != nullptr) {
                ShowWindow(taskbar, SW_HIDE);
            }
            SetTimer(nullptr, kCrashTimer, kCrashAfterMs, nullptr);
            MSG msg{};
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (msg.message == WM_TIMER) {
                    KillTimer(nullptr, msg.wParam);
                    crash(mode);
                    return 0;  // an unknown mode ends quietly
                }
                DispatchMessageW(&msg);
            }
            return 0;
        },
        [](const std::string& what) {
            // The bar shows a message box here; the harness says it on its output instead.
            const std::string line = "reported: " + what + "\n";
            DWORD written = 0;
            WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
                      &written, nullptr);
        });
}
