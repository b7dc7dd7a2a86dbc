#pragma once

#include <optional>
#include <vector>

#include "platform/monitors.h"
#include "platform/screen.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/system_library.h"

namespace quorvel::platform::win32 {

// The primary monitor and the shell's taskbars. Sizes are in twips with the primary monitor's
// scale as it is now: the system's DPI stays what it was at log-on, while the person may have
// changed the scale since, and other monitors may be scaled otherwise.
class Win32Screen final : public Screen {
public:
    explicit Win32Screen(FailureLog& failures) noexcept : shcore_(L"shcore.dll", failures) {}
    forms::Rect bounds() override;
    std::vector<WindowHandle> findTaskbars() override;
    void showWindow(WindowHandle window, ShowState state) override;
    // In pixels of 15 twips: the bar counts 15 twips per taskbar pixel, so on a 144-dpi screen
    // the shell's 45 pixels arrive as 30 and the bar still keeps clear of the taskbar.
    std::optional<PixelRect> taskbarRect() override;

private:
    [[nodiscard]] std::vector<Monitor> monitors();
    [[nodiscard]] int dpiOf(HMONITOR monitor);
    [[nodiscard]] Monitor primary();

    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    SystemLibrary shcore_;
    std::optional<GetDpiForMonitorFn> getDpiForMonitor_;  // looked up at the first question
};

}  // namespace quorvel::platform::win32
