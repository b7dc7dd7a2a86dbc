#pragma once

#include <optional>
#include <vector>

#include "platform/screen.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// A primary screen with a taskbar whose visibility follows the show requests it receives, and
// the secondary taskbars of other monitors, if any.
class SimScreen final : public Screen {
public:
    static constexpr WindowHandle kTaskbar = 0x7A5C;

    explicit SimScreen(CallLog& log) : log_(log) {}

    // The primary monitor: 1280 x 1024 pixels at the origin.
    forms::Twips left = 0;
    forms::Twips top = 0;
    forms::Twips width = 19200;
    forms::Twips height = 15360;
    WindowHandle taskbar = kTaskbar;  // 0: the shell has no taskbar window
    std::optional<PixelRect> rect = PixelRect{0, 994, 1280, 1024};  // nullopt: no answer
    bool taskbarVisible = true;

    struct SecondaryTaskbar {
        WindowHandle window;
        bool visible = true;
    };
    std::vector<SecondaryTaskbar> secondaryTaskbars;

    struct ShowCall {
        WindowHandle window;
        ShowState state;
    };
    std::vector<ShowCall> showCalls;

    // Whether every taskbar window, the primary one and the secondary ones, is shown (or, with
    // false, hidden).
    [[nodiscard]] bool everyTaskbar(bool visible) const;

    forms::Rect bounds() override { return {left, top, width, height}; }
    std::vector<WindowHandle> findTaskbars() override;
    void showWindow(WindowHandle window, ShowState state) override;
    std::optional<PixelRect> taskbarRect() override;

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
