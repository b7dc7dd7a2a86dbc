#include "platform/win32/screen.h"

#include <algorithm>

#include "platform/win32/units.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

namespace {

// A taskbar thinner than this many pixels is not what the shell really shows.
constexpr LONG kThinnestTaskbar = 2;

// MDT_EFFECTIVE_DPI of shellscalingapi.h: the scale the person chose for the monitor.
constexpr int kEffectiveDpi = 0;

}  // namespace

int Win32Screen::dpi() {
    if (!getDpiForMonitor_) {
        getDpiForMonitor_ = shcore_.function<GetDpiForMonitorFn>("GetDpiForMonitor");
    }
    if (*getDpiForMonitor_ != nullptr) {
        UINT x = 0;
        UINT y = 0;
        HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
        if (SUCCEEDED((*getDpiForMonitor_)(primary, kEffectiveDpi, &x, &y)) && x != 0) {
            return static_cast<int>(x);
        }
    }
    const UINT system = GetDpiForSystem();
    return system == 0 ? kDesignDpi : static_cast<int>(system);
}

forms::Twips Win32Screen::widthTwips() {
    return pixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi());
}

forms::Twips Win32Screen::heightTwips() {
    return pixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi());
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
    const int scale = dpi();
    return PixelRect{toDesignPixels(data.rc.left, scale), toDesignPixels(data.rc.top, scale),
                     toDesignPixels(data.rc.right, scale), toDesignPixels(data.rc.bottom, scale)};
}

}  // namespace quorvel::platform::win32
