#pragma once

#include <optional>
#include <vector>

#include "platform/screen.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// A primary screen with a taskbar whose visibility follows the show requests it receives.
class SimScreen final : public Screen {
public:
    static constexpr WindowHandle kTaskbar = 0x7A5C;

    explicit SimScreen(CallLog& log) : log_(log) {}

    forms::Twips width = 19200;       // 1280 pixels
    forms::Twips height = 15360;      // 1024 pixels
    WindowHandle taskbar = kTaskbar;  // 0: the shell has no taskbar window
    std::optional<PixelRect> rect = PixelRect{0, 994, 1280, 1024};  // nullopt: no answer
    bool taskbarVisible = true;

    struct ShowCall {
        WindowHandle window;
        ShowState state;
    };
    std::vector<ShowCall> showCalls;

    forms::Twips widthTwips() override { return width; }
    forms::Twips heightTwips() override { return height; }
    WindowHandle findTaskbar() override;
    void showWindow(WindowHandle window, ShowState state) override;
    std::optional<PixelRect> taskbarRect() override;

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
