#include "platform/win32/screen.h"

#include <utility>

#include "platform/win32/units.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

namespace {

// MDT_EFFECTIVE_DPI of shellscalingapi.h: the scale the person chose for the monitor.
constexpr int kEffectiveDpi = 0;

constexpr wchar_t kPrimaryTaskbar[] = L"Shell_TrayWnd";
constexpr wchar_t kSecondaryTaskbar[] = L"Shell_SecondaryTrayWnd";

PixelRect pixelRectOf(const RECT& r) noexcept {
    return PixelRect{r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK noteMonitor(HMONITOR monitor, HDC /*dc*/, LPRECT /*rect*/, LPARAM context) {
    auto& found = *reinterpret_cast<std::vector<std::pair<HMONITOR, MONITORINFO>>*>(context);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info) != FALSE) {
        found.emplace_back(monitor, info);
    }
    return TRUE;
}

}  // namespace

int Win32Screen::dpiOf(HMONITOR monitor) {
    if (!getDpiForMonitor_) {
        getDpiForMonitor_ = shcore_.function<GetDpiForMonitorFn>("GetDpiForMonitor");
    }
    if (*getDpiForMonitor_ != nullptr) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED((*getDpiForMonitor_)(monitor, kEffectiveDpi, &x, &y)) && x != 0) {
            return static_cast<int>(x);
        }
    }
    const UINT system = GetDpiForSystem();
    return system == 0 ? kDesignDpi : static_cast<int>(system);
}

std::vector<Monitor> Win32Screen::monitors() {
    std::vector<std::pair<HMONITOR, MONITORINFO>> found;
    EnumDisplayMonitors(nullptr, nullptr, &noteMonitor, reinterpret_cast<LPARAM>(&found));
    std::vector<Monitor> monitors;
    monitors.reserve(found.size());
    for (const auto& [handle, info] : found) {
        monitors.push_back(Monitor{pixelRectOf(info.rcMonitor), dpiOf(handle),
                                   (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return monitors;
}

Monitor Win32Screen::primary() {
    const std::vector<Monitor> all = monitors();
    if (auto found = primaryMonitor(all)) {
        return *found;
    }
    // No monitor to enumerate (a session without a display): the primary screen's metrics.
    HMONITOR fallback = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return Monitor{PixelRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                   dpiOf(fallback), true};
}

forms::Rect Win32Screen::bounds() {
    return twipsOf(primary());
}

std::vector<WindowHandle> Win32Screen::findTaskbars() {
    std::vector<WindowHandle> taskbars;
    if (HWND taskbar = FindWindowW(kPrimaryTaskbar, nullptr); taskbar != nullptr) {
        taskbars.push_back(reinterpret_cast<WindowHandle>(taskbar));
    }
    HWND secondary = nullptr;
    while ((secondary = FindWindowExW(nullptr, secondary, kSecondaryTaskbar, nullptr)) != nullptr) {
        taskbars.push_back(reinterpret_cast<WindowHandle>(secondary));
    }
    return taskbars;
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
    std::optional<PixelRect> answer;
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &data) != 0) {
        answer = pixelRectOf(data.rc);
    }
    std::optional<PixelRect> window;
    RECT r{};
    if (HWND taskbar = FindWindowW(kPrimaryTaskbar, nullptr);
        taskbar != nullptr && GetWindowRect(taskbar, &r) != FALSE) {
        window = pixelRectOf(r);
    }
    // Without the shell's answer the bar keeps what it measured before.
    if (!answer) {
        return std::nullopt;
    }
    return designPixelsOf(*taskbarArea(answer, window), primary().dpi);
}

}  // namespace quorvel::platform::win32
