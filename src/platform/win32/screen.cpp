#include "platform/win32/screen.h"

#include "platform/win32/units.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

namespace {
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
    const int dpi = systemDpi();
    return PixelRect{toDesignPixels(data.rc.left, dpi), toDesignPixels(data.rc.top, dpi),
                     toDesignPixels(data.rc.right, dpi), toDesignPixels(data.rc.bottom, dpi)};
}

}  // namespace quorvel::platform::win32
