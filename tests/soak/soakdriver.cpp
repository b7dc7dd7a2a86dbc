// Drives the running bar through its daily life, cycle after cycle, the way the system delivers
// a person's input to it: the pointer over three items, a click that flashes a link, the menu
// opened and closed, the settings window opened from the menu, a switch to the other launcher
// set in it (a restart of the bar), and the window closed. Then it says what the bar holds.
//
//   soakdriver CYCLES     run that many cycles, print "cycles=N failed=N"
//   soakdriver measure    print "windows=N gdi=N" for the bar's process
#include <windows.h>
// <windows.h> first: winternl.h needs its types.
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMs = 5;
constexpr DWORD kWaitMs = 10000;

void Print(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

HWND Find(const wchar_t* class_name) {
    return FindWindowW(class_name, nullptr);
}

template <class Condition>
bool WaitFor(Condition condition, DWORD timeout = kWaitMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout) {
            return false;
        }
        Sleep(kPollMs);
    }
    return true;
}

bool Visible(const wchar_t* class_name) {
    HWND window = Find(class_name);
    return window != nullptr && IsWindowVisible(window);
}

int Dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// A point given in the window's own twips, as client pixels for a mouse message.
LPARAM At(int twips_x, int twips_y) {
    const int dpi = Dpi();
    return MAKELPARAM(twips_x * dpi / 1440, twips_y * dpi / 1440);
}

LPARAM SlotCentre(int n) {
    return At(2280 + 600 * (n - 1) + 240, 360);
}

// The bar is open and still: its width has not changed for a while.
bool BarSettled() {
    LONG last = -1;
    int still = 0;
    return WaitFor([&] {
        HWND bar = Find(L"Quorvel.Dock");
        RECT rect{};
        if (bar == nullptr || !IsWindowVisible(bar) || !GetWindowRect(bar, &rect)) {
            still = 0;
            return false;
        }
        const LONG width = rect.right - rect.left;
        still = width == last && width > 10 ? still + 1 : 0;
        last = width;
        return still >= 10;
    });
}

void Key(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// Opens the bar's menu over a slot; true when it appeared.
bool OpenMenu(HWND bar, int slot) {
    PostMessageW(bar, WM_MOUSEMOVE, 0, SlotCentre(slot));
    PostMessageW(bar, WM_RBUTTONDOWN, MK_RBUTTON, SlotCentre(slot));
    PostMessageW(bar, WM_RBUTTONUP, 0, SlotCentre(slot));
    return WaitFor([] { return Visible(L"#32768"); });
}

bool Cycle(int n) {
    HWND bar = Find(L"Quorvel.Dock");
    if (bar == nullptr) {
        return false;
    }
    // The pointer passes over three items; each shows its name.
    for (int slot : {1, 2, 3}) {
        PostMessageW(bar, WM_MOUSEMOVE, 0, SlotCentre(slot));
        Sleep(10);
    }
    // A click on slot 1 flashes it (its target does not exist: nothing opens).
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, SlotCentre(1));
    PostMessageW(bar, WM_LBUTTONUP, 0, SlotCentre(1));
    // The menu, opened and closed.
    if (!OpenMenu(bar, 2)) {
        return false;
    }
    Key(Find(L"#32768"), VK_ESCAPE);
    if (!WaitFor([] { return !Visible(L"#32768"); })) {
        return false;
    }
    // The settings window from the menu: ランチャーの設定 > 設定ウインドウを開く.
    if (!OpenMenu(bar, 1)) {
        return false;
    }
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}) {
        Key(Find(L"#32768"), key);
        Sleep(5);
    }
    if (!WaitFor([] { return Visible(L"Quorvel.frmSet"); })) {
        return false;
    }
    HWND settings = Find(L"Quorvel.frmSet");
    // The launcher set number is the window's first drop-down list: the other set, chosen as
    // the list reports a choice, switches and restarts the bar.
    HWND number = FindWindowExW(settings, nullptr, L"ComboBox", nullptr);
    if (number == nullptr) {
        return false;
    }
    SendMessageW(number, CB_SETCURSEL, static_cast<WPARAM>(n % 2 == 0 ? 1 : 0), 0);
    SendMessageW(settings, WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(number)), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(number));
    if (!BarSettled()) {
        return false;
    }
    PostMessageW(settings, WM_CLOSE, 0, 0);
    return WaitFor([] { return Find(L"Quorvel.frmSet") == nullptr; });
}

// The process's GDI objects, counted in the handle table its PEB names (-1: no such table).
long GdiObjectsOf(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0) {
        return -1;
    }
    constexpr SIZE_T kTableOffset = 0xF8;  // GdiSharedHandleTable in a 64-bit PEB
    ULONG_PTR table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const char*>(basic.PebBaseAddress) + kTableOffset,
                           &table, sizeof table, &got) ||
        table == 0) {
        return -1;
    }
    struct Entry {
        ULONG64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        ULONG64 user;
    };
    std::vector<Entry> entries(0x10000);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(Entry), &got)) {
        return -1;
    }
    long count = 0;
    for (size_t i = 0; i < got / sizeof(Entry); ++i) {
        if (entries[i].type != 0 && (entries[i].unique & 0x80) == 0) {
            ++count;
        }
    }
    return count;
}

int Measure() {
    HWND bar = Find(L"Quorvel.Dock");
    if (bar == nullptr) {
        Print("none");
        return 1;
    }
    struct Count {
        DWORD pid = 0;
        int windows = 0;
    } count;
    GetWindowThreadProcessId(bar, &count.pid);
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* c = reinterpret_cast<Count*>(context);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == c->pid) {
                ++c->windows;
                EnumChildWindows(
                    window,
                    [](HWND, LPARAM inner) -> BOOL {
                        ++reinterpret_cast<Count*>(inner)->windows;
                        return TRUE;
                    },
                    context);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, count.pid);
    const long gdi = process != nullptr ? GdiObjectsOf(process) : -1;
    if (process != nullptr) {
        CloseHandle(process);
    }
    Print("windows=" + std::to_string(count.windows) + " gdi=" + std::to_string(gdi));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    if (argc == 2 && std::wstring(argv[1]) == L"measure") {
        return Measure();
    }
    if (argc != 2) {
        Print("usage: soakdriver CYCLES | measure");
        return 2;
    }
    const int cycles = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
    if (!BarSettled()) {
        Print("the bar never settled");
        return 1;
    }
    int failed = 0;
    for (int n = 0; n < cycles; ++n) {
        if (!Cycle(n)) {
            ++failed;
            // Whatever was left open goes, so the next cycle starts clean.
            if (HWND menu = Find(L"#32768")) {
                Key(menu, VK_ESCAPE);
            }
            if (HWND settings = Find(L"Quorvel.frmSet")) {
                PostMessageW(settings, WM_CLOSE, 0, 0);
            }
            BarSettled();
        }
    }
    Print("cycles=" + std::to_string(cycles) + " failed=" + std::to_string(failed));
    return failed == 0 ? 0 : 1;
}
