#pragma once

#include <vector>

#include "platform/monitors.h"
#include "platform/screen.h"
#include "platform/win32/handles.h"

namespace quorvel::platform::win32 {

// The primary monitor and the shell's taskbars. Sizes are in twips with the primary monitor's
// scale as it is now: the system's DPI stays what it was at log-on, while the person may have
// changed the scale since, and other monitors may be scaled otherwise.
class Win32Screen final : public Screen {
public:
    Win32Screen() noexcept;
    forms::Rect bounds() override;
    std::vector<WindowHandle> findTaskbars() override;
    void showWindow(WindowHandle window, ShowState state) override;
    // In pixels of 15 twips: the bar counts 15 twips per taskbar pixel, so on a 144-dpi screen
    // the shell's 45 pixels arrive as 30 and the bar still keeps clear of the taskbar.
    std::optional<PixelRect> taskbarRect() override;

private:
    [[nodiscard]] std::vector<Monitor> monitors() const;
    [[nodiscard]] int dpiOf(HMONITOR monitor) const noexcept;
    [[nodiscard]] Monitor primary() const;

    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    UniqueLibrary shcore_;
    GetDpiForMonitorFn getDpiForMonitor_ = nullptr;
};

}  // namespace quorvel::platform::win32
