// A small console helper that runs inside the same Wine prefix as the bar and answers questions
// about its windows that X11 cannot: Win32 class names, the taskbar's visibility flag, the
// text of a message box. The end-to-end tests and the start-up benchmark drive it with one
// command per run and read one line of UTF-8 answer.
#include <windows.h>
// <windows.h> first: shellapi.h needs its types.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "win32_console.h"

namespace {

using quorvel::test_support::printLine;
using quorvel::test_support::toUtf8;

constexpr int kExitOk = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitUsage = 2;
constexpr DWORD kPollIntervalMs = 1;

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::vector<HWND> TopLevelWindowsOfClass(const std::wstring& class_name) {
    struct Search {
        const std::wstring* class_name;
        std::vector<HWND> found;
    } search{&class_name, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (ClassOf(window) == *s->class_name) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string RectLine(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    char line[128];
    std::snprintf(line, sizeof line, "%ld %ld %ld %ld %d", rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, IsWindowVisible(window) ? 1 : 0);
    return line;
}

// Coordinates must be real pixels even at 144 dpi, where Wine would otherwise scale them for
// a program that does not declare itself DPI aware.
void BecomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto set_context = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    const auto per_monitor_v2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
    if (set_context == nullptr || !set_context(per_monitor_v2)) {
        SetProcessDPIAware();
    }
}

int Rect(const std::wstring& class_name) {
    const auto windows = TopLevelWindowsOfClass(class_name);
    if (windows.empty()) {
        printLine("none");
        return kExitNotFound;
    }
    printLine(RectLine(windows.front()));
    return kExitOk;
}

int Count(const std::wstring& class_name) {
    printLine(std::to_string(TopLevelWindowsOfClass(class_name).size()));
    return kExitOk;
}

// "<handle> <layered> <colour key>" of the first window of the class: the handle tells a window
// made afresh from the one before it; the key is 0xBBGGRR, or "-" when nothing is keyed out.
int Info(const std::wstring& class_name) {
    const auto windows = TopLevelWindowsOfClass(class_name);
    if (windows.empty()) {
        printLine("none");
        return kExitNotFound;
    }
    HWND window = windows.front();
    const bool layered = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    COLORREF key = 0;
    DWORD flags = 0;
    char line[64];
    if (layered && GetLayeredWindowAttributes(window, &key, nullptr, &flags) &&
        (flags & LWA_COLORKEY) != 0) {
        std::snprintf(line, sizeof line, "%p 1 %06lx", static_cast<void*>(window),
                      static_cast<unsigned long>(key));
    } else {
        std::snprintf(line, sizeof line, "%p %d -", static_cast<void*>(window), layered ? 1 : 0);
    }
    printLine(line);
    return kExitOk;
}

// The classes of the visible top-level windows, one a line, front to back.
int Windows() {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            if (IsWindowVisible(window)) {
                printLine(toUtf8(ClassOf(window)));
            }
            return TRUE;
        },
        0);
    return kExitOk;
}

// The class of the window that has the keyboard (the foreground window), or "none".
int Foreground() {
    HWND window = GetForegroundWindow();
    printLine(window != nullptr ? toUtf8(ClassOf(window)) : "none");
    return window != nullptr ? kExitOk : kExitNotFound;
}

// Gives the keyboard to the first top-level window of the class, as a person going back to it
// would.
int Activate(const std::wstring& class_name) {
    const auto windows = TopLevelWindowsOfClass(class_name);
    if (windows.empty()) {
        printLine("none");
        return kExitNotFound;
    }
    const bool done = SetForegroundWindow(windows.front()) != FALSE;
    printLine(done ? "activated" : "refused");
    return done ? kExitOk : kExitNotFound;
}

int TaskbarVisible() {
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (taskbar == nullptr) {
        printLine("none");
        return kExitNotFound;
    }
    printLine(IsWindowVisible(taskbar) ? "1" : "0");
    return kExitOk;
}

// The rectangle the shell reports for the taskbar: the bar derives its bottom margin from it.
int TaskbarRect() {
    APPBARDATA data{};
    data.cbSize = sizeof data;
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &data) == 0) {
        printLine("none");
        return kExitNotFound;
    }
    // As the bar does: Wine's shell reports a one-pixel sliver for its taller taskbar, and
    // the taskbar window's rectangle is then taken instead.
    RECT window{};
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    const auto thickness = [](const RECT& r) {
        return std::min(r.right - r.left, r.bottom - r.top);
    };
    if (thickness(data.rc) < 2 && taskbar != nullptr && GetWindowRect(taskbar, &window) &&
        thickness(window) > thickness(data.rc)) {
        data.rc = window;
    }
    char line[128];
    std::snprintf(line, sizeof line, "%ld %ld %ld %ld", data.rc.left, data.rc.top,
                  data.rc.right - data.rc.left, data.rc.bottom - data.rc.top);
    printLine(line);
    return kExitOk;
}

int Close(const std::wstring& class_name) {
    const auto windows = TopLevelWindowsOfClass(class_name);
    if (windows.empty()) {
        printLine("none");
        return kExitNotFound;
    }
    PostMessageW(windows.front(), WM_CLOSE, 0, 0);
    printLine("closed");
    return kExitOk;
}

// One line per visible message box: its title, a tab, and the text of its static controls.
int FindDialog() {
    int found = 0;
    for (HWND dialog : TopLevelWindowsOfClass(L"#32770")) {
        if (!IsWindowVisible(dialog)) {
            continue;
        }
        std::wstring message;
        for (HWND child : ChildrenOf(dialog)) {
            if (ClassOf(child) == L"Static") {
                message += TextOf(child);
            }
        }
        // One line a box: a line break in the message is written as a backslash and "n".
        std::wstring oneLine;
        for (wchar_t c : message) {
            if (c == L'\n') {
                oneLine += L"\\n";
            } else if (c != L'\r') {
                oneLine += c;
            }
        }
        printLine(toUtf8(TextOf(dialog)) + "\t" + toUtf8(oneLine));
        ++found;
    }
    if (found == 0) {
        printLine("none");
        return kExitNotFound;
    }
    return kExitOk;
}

int DismissDialogs() {
    int dismissed = 0;
    for (HWND dialog : TopLevelWindowsOfClass(L"#32770")) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ++dismissed;
    }
    printLine(std::to_string(dismissed));
    return dismissed > 0 ? kExitOk : kExitNotFound;
}

// Presses the button with the given id (IDYES, IDNO, ...) of every visible message box, as a
// click would; the box ends with that answer.
int PressDialog(int button_id) {
    int pressed = 0;
    for (HWND dialog : TopLevelWindowsOfClass(L"#32770")) {
        HWND button = GetDlgItem(dialog, button_id);
        if (!IsWindowVisible(dialog) || button == nullptr) {
            continue;
        }
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        ++pressed;
    }
    printLine(std::to_string(pressed));
    return pressed > 0 ? kExitOk : kExitNotFound;
}

// The window's own text, then every child's class and text, one per line.
int Text(const std::wstring& class_name) {
    const auto windows = TopLevelWindowsOfClass(class_name);
    if (windows.empty()) {
        printLine("none");
        return kExitNotFound;
    }
    printLine(toUtf8(TextOf(windows.front())));
    for (HWND child : ChildrenOf(windows.front())) {
        printLine(toUtf8(ClassOf(child)) + "\t" + toUtf8(TextOf(child)));
    }
    return kExitOk;
}

// Another program's control answers WM_GETTEXT with its real text (GetWindowText would give an
// edit box's creation text only); a hung program must not hang the probe.
std::wstring ControlTextOf(HWND window) {
    constexpr UINT kTimeoutMs = 2000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                             &length)) {
        return L"";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, &copied);
    text.resize(std::min<size_t>(copied, length));
    return text;
}

// One line per child window of the first top-level window of the class, in z-order (which is
// the Tab order): class, style and extended style in hex, control id, the rectangle in client
// pixels (x y width height), its top-left corner on the screen (x y), visible, enabled, whether
// it has the keyboard focus, and its text.
int Controls(const std::wstring& class_name) {
    const auto windows = TopLevelWindowsOfClass(class_name);
    if (windows.empty()) {
        printLine("none");
        return kExitNotFound;
    }
    HWND parent = windows.front();
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(parent, nullptr), &gui);
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT screen{};
        GetWindowRect(child, &screen);
        RECT rect = screen;
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        char line[256];
        std::snprintf(
            line, sizeof line, "\t%08lx\t%08lx\t%d\t%ld %ld %ld %ld\t%ld %ld\t%d\t%d\t%d\t",
            static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)),
            static_cast<unsigned long>(GetWindowLongW(child, GWL_EXSTYLE)), GetDlgCtrlID(child),
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, screen.left,
            screen.top, IsWindowVisible(child) ? 1 : 0, IsWindowEnabled(child) ? 1 : 0,
            gui.hwndFocus == child ? 1 : 0);
        printLine(toUtf8(ClassOf(child)) + line + toUtf8(ControlTextOf(child)));
    }
    return kExitOk;
}

int User() {
    wchar_t name[256] = {};
    DWORD size = 256;
    if (!GetUserNameW(name, &size)) {
        printLine("none");
        return kExitNotFound;
    }
    printLine(toUtf8(name));
    return kExitOk;
}

int Screen() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    printLine(std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
              std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " " + std::to_string(dpi));
    return kExitOk;
}

double MillisecondsSince(const LARGE_INTEGER& start, const LARGE_INTEGER& frequency) {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// Starts a program and reports how long it took until a window of the class was visible
// ("mapped") and until that window had reached the full width in pixels ("open"). The program
// keeps running so that its idle cost can be measured afterwards.
int LaunchTimed(const std::wstring& command_line, const std::wstring& class_name, long full_width,
                double timeout_ms) {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring mutable_command = command_line;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, mutable_command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        printLine("error CreateProcess " + std::to_string(GetLastError()));
        return kExitNotFound;
    }
    CloseHandle(process.hThread);
    double mapped_ms = -1;
    double open_ms = -1;
    while (open_ms < 0 && MillisecondsSince(start, frequency) < timeout_ms) {
        for (HWND window : TopLevelWindowsOfClass(class_name)) {
            if (!IsWindowVisible(window)) {
                continue;
            }
            const double now = MillisecondsSince(start, frequency);
            if (mapped_ms < 0) {
                mapped_ms = now;
            }
            RECT rect{};
            GetWindowRect(window, &rect);
            if (rect.right - rect.left >= full_width) {
                open_ms = now;
            }
        }
        Sleep(kPollIntervalMs);
    }
    CloseHandle(process.hProcess);
    char line[160];
    std::snprintf(line, sizeof line, "pid=%lu mapped_ms=%.1f open_ms=%.1f", process.dwProcessId,
                  mapped_ms, open_ms);
    printLine(line);
    return open_ms >= 0 ? kExitOk : kExitNotFound;
}

// Keeps the prefix's Wine processes and its desktop alive for the length of a session;
// without a client Wine shuts them down, and every later call would pay for a new start.
int Idle() {
    // Attaches this process to the desktop, so that the desktop stays while it runs.
    GetDesktopWindow();
    Sleep(INFINITE);
    return kExitOk;
}

int Usage() {
    printLine(
        "usage: probe rect CLASS | info CLASS | count CLASS | close CLASS | text CLASS |\n"
        "       controls CLASS | windows | foreground | activate CLASS |\n"
        "       taskbar-visible |\n"
        "       taskbar-rect |\n"
        "       find-dialog | press-dialog ID | dismiss-dialogs | screen | user | idle |\n"
        "       launch-timed COMMAND-LINE CLASS FULL-WIDTH-PX TIMEOUT-MS");
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    BecomeDpiAware();
    if (argc < 2) {
        return Usage();
    }
    const std::wstring command = argv[1];
    if (argc == 3 && command == L"rect") {
        return Rect(argv[2]);
    }
    if (argc == 2 && command == L"windows") {
        return Windows();
    }
    if (argc == 3 && command == L"info") {
        return Info(argv[2]);
    }
    if (argc == 3 && command == L"count") {
        return Count(argv[2]);
    }
    if (argc == 3 && command == L"close") {
        return Close(argv[2]);
    }
    if (argc == 3 && command == L"text") {
        return Text(argv[2]);
    }
    if (argc == 3 && command == L"controls") {
        return Controls(argv[2]);
    }
    if (argc == 2 && command == L"foreground") {
        return Foreground();
    }
    if (argc == 3 && command == L"activate") {
        return Activate(argv[2]);
    }
    if (argc == 2 && command == L"taskbar-visible") {
        return TaskbarVisible();
    }
    if (argc == 2 && command == L"taskbar-rect") {
        return TaskbarRect();
    }
    if (argc == 2 && command == L"find-dialog") {
        return FindDialog();
    }
    if (argc == 3 && command == L"press-dialog") {
        return PressDialog(static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    }
    if (argc == 2 && command == L"dismiss-dialogs") {
        return DismissDialogs();
    }
    if (argc == 2 && command == L"idle") {
        return Idle();
    }
    if (argc == 2 && command == L"user") {
        return User();
    }
    if (argc == 2 && command == L"screen") {
        return Screen();
    }
    if (argc == 6 && command == L"launch-timed") {
        return LaunchTimed(argv[2], argv[3], std::wcstol(argv[4], nullptr, 10),
                           std::wcstod(argv[5], nullptr));
    }
    return Usage();
}
