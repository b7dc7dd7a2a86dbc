// Watches for a window to be painted, for the settings window benchmark: started before the
// action that opens the window, it prints "ready", then waits until a visible top-level window
// of the class exists whose update region, and its children's, is empty (everything drawn),
// and prints the wall-clock time of that moment in milliseconds since 1970, which the driver
// compares with the moment it sent the key that opened the window.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitTimeout = 1;
constexpr int kExitUsage = 2;
// 100-ns intervals between 1601-01-01 and 1970-01-01.
constexpr unsigned long long kUnixEpoch = 116444736000000000ULL;

void Print(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
    FlushFileBuffers(GetStdHandle(STD_OUTPUT_HANDLE));
}

double UnixMilliseconds() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32U) | now.dwLowDateTime;
    return static_cast<double>(ticks - kUnixEpoch) / 10000.0;
}

bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        Print("usage: paint_watch CLASS TIMEOUT-MS");
        return kExitUsage;
    }
    const wchar_t* class_name = argv[1];
    const double timeout = std::wcstod(argv[2], nullptr);
    const double start = UnixMilliseconds();
    Print("ready");
    while (UnixMilliseconds() - start < timeout) {
        HWND window = FindWindowW(class_name, nullptr);
        if (window != nullptr && IsWindowVisible(window) && Painted(window)) {
            char line[64];
            std::snprintf(line, sizeof line, "painted_unix_ms=%.1f", UnixMilliseconds());
            Print(line);
            return kExitOk;
        }
        Sleep(1);
    }
    Print("timeout");
    return kExitTimeout;
}
