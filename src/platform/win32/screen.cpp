#include "platform/win32/screen.h"

#include <algorithm>

#include "platform/win32/units.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

namespace {

// A taskbar thinner than this many pixels is not what the shell really shows.
constexpr LONG kThinnestTaskbar = 2;

int systemDpi() {
    const UINT dpi = GetDpiForSystem();
    return dpi == 0 ? kDesignDpi : static_cast<int>(dpi);
}
}  // namespace

forms::Twips Win32Screen::widthTwips() {
    return pixelsToTwips(GetSystemMetrics(SM_CXSCREEN), systemDpi());
}

forms::Twips Win32Screen::heightTwips() {
    return pixelsToTwips(GetSystemMetrics(SM_CYSCREEN), systemDpi());
}

WindowHandle Win32Screen::findTaskbar() {
    return reinterpret_cast<WindowHandle>(FindWindowW(L"Shell_TrayWnd", nullptr));
}

void Win32Screen::showWindow(WindowHandle window, ShowState state) {
    if (window == 0) {
        return;
    }
    ShowWindow(reinterpret_cast<HWND>(window), state == ShowState::Hide ? SW_HIDE : SW_SHOWNORMAL);
}

std::optional<PixelRect> Win32Screen::taskbarRect() {
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &data) == 0) {
        return std::nullopt;
    }
    // Some shells answer with a sliver one pixel high for a taskbar they draw taller (Wine's
    // does); the taskbar window's own rectangle is then the better answer, or a bar at the
    // bottom would sit on the taskbar.
    RECT window{};
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    const auto thickness = [](const RECT& r) {
        return std::min(r.right - r.left, r.bottom - r.top);
    };
    if (thickness(data.rc) < kThinnestTaskbar && taskbar != nullptr &&
        GetWindowRect(taskbar, &window) && thickness(window) > thickness(data.rc)) {
        data.rc = window;
    }
    const int dpi = systemDpi();
    return PixelRect{toDesignPixels(data.rc.left, dpi), toDesignPixels(data.rc.top, dpi),
                     toDesignPixels(data.rc.right, dpi), toDesignPixels(data.rc.bottom, dpi)};
}

}  // namespace quorvel::platform::win32
