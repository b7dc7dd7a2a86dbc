// A console helper of the reliability tests: it does to the bar what the system and other
// programs do (end the session, restart the shell's taskbar, change the display mode, crash a
// thread of it) and measures what a long run costs it (windows, GDI objects, private bytes,
// loaded modules). One command per run, one line of UTF-8 answer (modules: one per line).
#include <windows.h>
// <windows.h> first: psapi.h needs its types.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "win32_console.h"
#include "win32_gdi_objects.h"

namespace {

using quorvel::test_support::gdiObjectsOf;
using quorvel::test_support::printLine;
using quorvel::test_support::toUtf8;

constexpr int kExitOk = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitUsage = 2;
constexpr UINT kSendTimeoutMs = 10000;

HWND FirstWindowOfClass(const std::wstring& class_name) {
    return FindWindowW(class_name.c_str(), nullptr);
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// WM_QUERYENDSESSION, then WM_ENDSESSION saying whether the session really ends, as the system
// sends them to every top-level window at log-off.
int EndSession(const std::wstring& class_name, bool ends) {
    HWND window = FirstWindowOfClass(class_name);
    if (window == nullptr) {
        printLine("none");
        return kExitNotFound;
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &answer);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_ENDSESSION, ends ? TRUE : FALSE, ENDSESSION_LOGOFF,
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    printLine("query=" + std::to_string(answer));
    return kExitOk;
}

// What a restarted shell does: its new taskbar is there and shown, and every top-level window
// hears "TaskbarCreated".
int NewTaskbar() {
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (taskbar == nullptr) {
        printLine("none");
        return kExitNotFound;
    }
    ShowWindow(taskbar, SW_SHOWNORMAL);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    printLine("broadcast");
    return kExitOk;
}

// Starts a thread in the program that owns the window at an address where nothing is mapped:
// an access violation on a thread of the program's own, which no handler of the program
// expects.
int CrashThread(const std::wstring& class_name) {
    HWND window = FirstWindowOfClass(class_name);
    if (window == nullptr) {
        printLine("none");
        return kExitNotFound;
    }
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, ProcessOf(window));
    if (process == nullptr) {
        printLine("error OpenProcess " + std::to_string(GetLastError()));
        return kExitNotFound;
    }
    constexpr ULONG_PTR kNowhere = 0x10;
    HANDLE thread =
        CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(kNowhere),
                           nullptr, 0, nullptr);
    if (thread == nullptr) {
        printLine("error CreateRemoteThread " + std::to_string(GetLastError()));
        CloseHandle(process);
        return kExitNotFound;
    }
    CloseHandle(thread);
    CloseHandle(process);
    printLine("started");
    return kExitOk;
}

// Changes the display mode and keeps it while running (the mode goes back when it ends).
int DisplayMode(long width, long height, DWORD seconds) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
    printLine("result=" + std::to_string(result));
    if (result != DISP_CHANGE_SUCCESSFUL) {
        return kExitNotFound;
    }
    Sleep(seconds * 1000);
    return kExitOk;
}

struct Counts {
    DWORD pid = 0;
    int windows = 0;
};

BOOL CALLBACK CountChild(HWND window, LPARAM context) {
    auto* counts = reinterpret_cast<Counts*>(context);
    if (ProcessOf(window) == counts->pid) {
        ++counts->windows;
    }
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
    auto* counts = reinterpret_cast<Counts*>(context);
    if (ProcessOf(window) == counts->pid) {
        ++counts->windows;
        EnumChildWindows(window, &CountChild, context);
    }
    return TRUE;
}

// windows=N (top-level and child windows of the process) gdi=N private=BYTES
int Resources(const std::wstring& class_name) {
    HWND window = FirstWindowOfClass(class_name);
    if (window == nullptr) {
        printLine("none");
        return kExitNotFound;
    }
    Counts counts;
    counts.pid = ProcessOf(window);
    EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&counts));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, counts.pid);
    if (process == nullptr) {
        printLine("error OpenProcess " + std::to_string(GetLastError()));
        return kExitNotFound;
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    const long gdi = gdiObjectsOf(process);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    char line[200];
    std::snprintf(line, sizeof line, "windows=%d gdi=%ld user=%lu private=%llu", counts.windows,
                  gdi, static_cast<unsigned long>(user),
                  static_cast<unsigned long long>(memory.PrivateUsage));
    printLine(line);
    return kExitOk;
}

// The file of every module loaded in the process that owns the window, one per line.
int Modules(const std::wstring& class_name) {
    HWND window = FirstWindowOfClass(class_name);
    if (window == nullptr) {
        printLine("none");
        return kExitNotFound;
    }
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessOf(window));
    if (process == nullptr) {
        printLine("error OpenProcess " + std::to_string(GetLastError()));
        return kExitNotFound;
    }
    std::vector<HMODULE> modules(1024);
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules.data(),
                            static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed)) {
        printLine("error EnumProcessModules " + std::to_string(GetLastError()));
        CloseHandle(process);
        return kExitNotFound;
    }
    modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
        wchar_t path[MAX_PATH * 2] = {};
        if (GetModuleFileNameExW(process, module, path, MAX_PATH * 2) != 0) {
            printLine(toUtf8(path));
        }
    }
    CloseHandle(process);
    return kExitOk;
}

// Loads a library the plain way, as a program that does not restrict its search would.
int LoadLibraryPlainly(const std::wstring& name) {
    HMODULE module = LoadLibraryW(name.c_str());
    if (module == nullptr) {
        printLine("error " + std::to_string(GetLastError()));
        return kExitNotFound;
    }
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(module, path, MAX_PATH * 2);
    printLine(toUtf8(path));
    return kExitOk;
}

int Usage() {
    printLine(
        "usage: systemprobe end-session CLASS ends|goes-on | new-taskbar | crash-thread CLASS |\n"
        "       display-mode WIDTH HEIGHT SECONDS | resources CLASS | modules CLASS |\n"
        "       load-library NAME");
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    if (argc < 2) {
        return Usage();
    }
    const std::wstring command = argv[1];
    if (argc == 4 && command == L"end-session") {
        return EndSession(argv[2], std::wstring_view(argv[3]) == L"ends");
    }
    if (argc == 2 && command == L"new-taskbar") {
        return NewTaskbar();
    }
    if (argc == 3 && command == L"crash-thread") {
        return CrashThread(argv[2]);
    }
    if (argc == 5 && command == L"display-mode") {
        return DisplayMode(std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10),
                           static_cast<DWORD>(std::wcstoul(argv[4], nullptr, 10)));
    }
    if (argc == 3 && command == L"resources") {
        return Resources(argv[2]);
    }
    if (argc == 3 && command == L"modules") {
        return Modules(argv[2]);
    }
    if (argc == 3 && command == L"load-library") {
        return LoadLibraryPlainly(argv[2]);
    }
    if (argc == 3 && command == L"load-library-restricted") {
        SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
        return LoadLibraryPlainly(argv[2]);
    }
    return Usage();
}
