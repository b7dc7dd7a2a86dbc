// The yardstick for the bar's start-up cost: the least a Win32 program must do to show one
// borderless top-most window of the bar's size at the top centre of the screen, and then idle
// in its message loop. Its width in pixels is the only argument.
#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"Quorvel.MinimalWindow";
constexpr int kBarHeightPx = 49;  // the bar's 735 twips at 96 dpi
constexpr int kDefaultWidthPx = 833;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
    SetProcessDPIAware();
    int width = static_cast<int>(std::wcstol(command_line, nullptr, 10));
    if (width <= 0) {
        width = kDefaultWidthPx;
    }
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    if (RegisterClassExW(&window_class) == 0) {
        return 1;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    HWND window =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"Minimal", WS_POPUP, left, 0,
                        width, kBarHeightPx, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
