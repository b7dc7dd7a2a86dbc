#pragma once

#include "platform/screen.h"

namespace quorvel::platform::win32 {

// The primary screen and the shell's taskbar. Sizes are in twips with the screen's real DPI.
class Win32Screen final : public Screen {
public:
    forms::Twips widthTwips() override;
    forms::Twips heightTwips() override;
    WindowHandle findTaskbar() override;
    void showWindow(WindowHandle window, ShowState state) override;
    // In 96-dpi pixels: the bar counts 15 twips per taskbar pixel, so on a 144-dpi screen the
    // shell's 45 pixels arrive as 30 and the bar still keeps clear of the taskbar.
    std::optional<PixelRect> taskbarRect() override;
};

}  // namespace quorvel::platform::win32
