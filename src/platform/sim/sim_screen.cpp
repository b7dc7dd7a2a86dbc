#include "platform/sim/sim_screen.h"

#include <string>

namespace quorvel::platform::sim {

WindowHandle SimScreen::findTaskbar() {
    log_.add("findTaskbar");
    return taskbar;
}

void SimScreen::showWindow(WindowHandle window, ShowState state) {
    const std::string target =
        window != 0 && window == taskbar ? "taskbar" : "window " + std::to_string(window);
    log_.add("showWindow " + target + (state == ShowState::Hide ? " Hide" : " Normal"));
    showCalls.push_back({window, state});
    if (window != 0 && window == taskbar) {
        taskbarVisible = state != ShowState::Hide;
    }
}

std::optional<PixelRect> SimScreen::taskbarRect() {
    log_.add("taskbarRect");
    return rect;
}

}  // namespace quorvel::platform::sim
