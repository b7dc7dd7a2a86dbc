// Drives the running bar through its daily life, cycle after cycle, the way the system delivers
// a person's input to it: the pointer over three items, a click that flashes a link, the menu
// opened and closed, the settings window opened from the menu, a switch to the other launcher
// set in it (a restart of the bar), and the window closed. Then it says what the bar holds.
//
//   soakdriver CYCLES [FOLD FULL]  run that many cycles, print "cycles=N failed=N". Every
//                                  cycle shows names, flashes and opens the menu; every FULL-th
//                                  one also opens the settings window and switches sets, every
//                                  other FOLD-th one folds the bar away and brings it back
//                                  (default: every cycle is a full one)
//   soakdriver measure    print "windows=N gdi=N" for the bar's process
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32_console.h"
#include "win32_gdi_objects.h"

namespace {

using quorvel::test_support::gdiObjectsOf;
using quorvel::test_support::printLine;

constexpr DWORD kPollMs = 5;
constexpr DWORD kWaitMs = 10000;

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

// Milliseconds each part of the cycles took, summed: hover and flash, menu, opening the
// settings window, the set switch, closing the window.
DWORD phaseMs[5] = {};
DWORD phaseStart = 0;
void Phase(int i) {
    const DWORD now = GetTickCount();
    if (i > 0) {
        phaseMs[i - 1] += now - phaseStart;
    }
    phaseStart = now;
}

// The bar folded away with its close button and brought back with the panel's open button.
bool CloseAndOpen(HWND bar) {
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(160, 160));
    PostMessageW(bar, WM_LBUTTONUP, 0, At(160, 160));
    if (!WaitFor([bar] { return !IsWindowVisible(bar); })) {
        return false;
    }
    HWND panel = Find(L"Quorvel.frmBTN");
    if (panel == nullptr) {
        return false;
    }
    PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, At(100, 100));
    PostMessageW(panel, WM_LBUTTONUP, 0, At(100, 100));
    return BarSettled();
}

bool Cycle(int n, bool fold, bool full) {
    Phase(0);
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
    Phase(1);
    // The menu, opened and closed.
    if (!OpenMenu(bar, 2)) {
        return false;
    }
    Key(Find(L"#32768"), VK_ESCAPE);
    if (!WaitFor([] { return !Visible(L"#32768"); })) {
        return false;
    }
    if (!full) {
        return !fold || CloseAndOpen(bar);
    }
    Phase(2);
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
    Phase(3);
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
    Phase(4);
    PostMessageW(settings, WM_CLOSE, 0, 0);
    const bool closed = WaitFor([] { return Find(L"Quorvel.frmSet") == nullptr; });
    Phase(5);
    return closed;
}

int Measure() {
    HWND bar = Find(L"Quorvel.Dock");
    if (bar == nullptr) {
        printLine("none");
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
    const long gdi = process != nullptr ? gdiObjectsOf(process) : -1;
    if (process != nullptr) {
        CloseHandle(process);
    }
    printLine("windows=" + std::to_string(count.windows) + " gdi=" + std::to_string(gdi));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    if (argc == 2 && std::wstring(argv[1]) == L"measure") {
        return Measure();
    }
    if (argc != 2 && argc != 4) {
        printLine("usage: soakdriver CYCLES [FOLD FULL] | measure");
        return 2;
    }
    const int cycles = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
    const auto every = [&](int i) {
        return argc == 4 ? std::max(1, static_cast<int>(std::wcstol(argv[i], nullptr, 10))) : 1;
    };
    const int fold = every(2);
    const int full = every(3);
    if (!BarSettled()) {
        printLine("the bar never settled");
        return 1;
    }
    int failed = 0;
    for (int n = 0; n < cycles; ++n) {
        if (!Cycle(n, n % fold == fold - 1, n % full == full - 1)) {
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
    printLine("cycles=" + std::to_string(cycles) + " failed=" + std::to_string(failed) +
              " ms: pointer=" + std::to_string(phaseMs[0]) + " menu=" + std::to_string(phaseMs[1]) +
              " open=" + std::to_string(phaseMs[2]) + " switch=" + std::to_string(phaseMs[3]) +
              " close=" + std::to_string(phaseMs[4]));
    return failed == 0 ? 0 : 1;
}
