// The yardstick for opening the settings window: the least a Win32 program must do to open a
// dialog window of the settings window's size with as many real child controls (10 edit
// boxes, 7 drop-down lists, 10 push buttons) from a popup menu entry. A small borderless
// window at the screen's left edge, clear of the bar, stands in for the bar; a right click on
// it pops up the one-entry menu, and choosing the entry opens the dialog. Closing the dialog
// keeps the program running, so that the dialog can be opened again.
#include <windows.h>

#include <string_view>

namespace {

constexpr wchar_t kTriggerClass[] = L"Quorvel.MinimalTrigger";
constexpr wchar_t kDialogClass[] = L"Quorvel.MinimalDialog";
constexpr UINT kOpenCommand = 1;
constexpr int kTwipsPerInch = 1440;
// The settings window's client area and control sizes, in twips.
constexpr int kClientWidthTwips = 11505;
constexpr int kClientHeightTwips = 6960;
constexpr int kEdits = 10;
constexpr int kLists = 7;
constexpr int kButtons = 10;
constexpr int kRowTwips = 360;
constexpr int kFontPoints = 9;

HFONT g_font = nullptr;

int Scale(int twips, int dpi) {
    return MulDiv(twips, dpi, kTwipsPerInch);
}

void AddChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int index,
              int dpi) {
    const int column = index / 14;
    const int row = index % 14;
    HWND child =
        CreateWindowExW(cls == std::wstring_view(L"EDIT") ? WS_EX_CLIENTEDGE : 0, cls, text,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, Scale(120 + 5400 * column, dpi),
                        Scale(120 + kRowTwips * row, dpi), Scale(3000, dpi), Scale(300, dpi),
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + index)),
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
    if (cls == std::wstring_view(L"COMBOBOX")) {
        SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"する"));
        SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"しない"));
        SendMessageW(child, CB_SETCURSEL, 0, 0);
    }
}

void OpenDialog(HINSTANCE instance) {
    if (FindWindowW(kDialogClass, nullptr) != nullptr) {
        return;
    }
    const int dpi = GetDpiForSystem();
    if (g_font == nullptr) {
        g_font = CreateFontW(-MulDiv(kFontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             SHIFTJIS_CHARSET, 0, 0, 0, 0, L"MS UI Gothic");
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, Scale(kClientWidthTwips, dpi), Scale(kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HWND dialog = CreateWindowExW(0, kDialogClass, L"設定", style,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  nullptr, nullptr, instance, nullptr);
    int index = 0;
    for (int i = 0; i < kEdits; ++i) {
        AddChild(dialog, L"EDIT", L"", ES_AUTOHSCROLL, index++, dpi);
    }
    for (int i = 0; i < kLists; ++i) {
        AddChild(dialog, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, index++, dpi);
    }
    for (int i = 0; i < kButtons; ++i) {
        AddChild(dialog, L"BUTTON", L"参照", BS_PUSHBUTTON, index++, dpi);
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
}

LRESULT CALLBACK TriggerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_RBUTTONUP: {
            HMENU menu = CreatePopupMenu();
            AppendMenuW(menu, MF_STRING, kOpenCommand, L"設定ウインドウを開く");
            POINT at{};
            GetCursorPos(&at);
            SetForegroundWindow(window);
            const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
                menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, window, nullptr));
            DestroyMenu(menu);
            if (chosen == kOpenCommand) {
                OpenDialog(GetModuleHandleW(nullptr));
            }
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

bool Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = name;
    return RegisterClassExW(&window_class) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (!Register(instance, kTriggerClass, TriggerProc) ||
        !Register(instance, kDialogClass, DefWindowProcW)) {
        return 1;
    }
    const int width = 200;
    HWND trigger = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTriggerClass, L"Trigger",
                                   WS_POPUP, 0, GetSystemMetrics(SM_CYSCREEN) / 2, width, 49,
                                   nullptr, nullptr, instance, nullptr);
    if (trigger == nullptr) {
        return 1;
    }
    ShowWindow(trigger, SW_SHOWNORMAL);
    UpdateWindow(trigger);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (HWND dialog = FindWindowW(kDialogClass, nullptr);
            dialog != nullptr && IsDialogMessageW(dialog, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
