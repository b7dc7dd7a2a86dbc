#pragma once

#include <optional>

#include "platform/screen.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/system_library.h"

namespace quorvel::platform::win32 {

// The primary screen and the shell's taskbar. Sizes are in twips with the screen's DPI as it
// is now: the system's DPI stays what it was at log-on, while the person may have changed the
// screen's scale since, and the bar's windows are placed with the scale of today.
class Win32Screen final : public Screen {
public:
    explicit Win32Screen(FailureLog& failures) noexcept : shcore_(L"shcore.dll", failures) {}
    forms::Twips widthTwips() override;
    forms::Twips heightTwips() override;
    WindowHandle findTaskbar() override;
    void showWindow(WindowHandle window, ShowState state) override;
    // In 96-dpi pixels: the bar counts 15 twips per taskbar pixel, so on a 144-dpi screen the
    // shell's 45 pixels arrive as 30 and the bar still keeps clear of the taskbar.
    std::optional<PixelRect> taskbarRect() override;

private:
    [[nodiscard]] int dpi();

    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    SystemLibrary shcore_;
    std::optional<GetDpiForMonitorFn> getDpiForMonitor_;  // looked up at the first question
};

}  // namespace quorvel::platform::win32
