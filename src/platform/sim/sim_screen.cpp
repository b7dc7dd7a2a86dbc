#include "platform/sim/sim_screen.h"

#include <algorithm>
#include <string>

namespace quorvel::platform::sim {

std::vector<WindowHandle> SimScreen::findTaskbars() {
    log_.add("findTaskbars");
    std::vector<WindowHandle> found;
    if (taskbar != 0) {
        found.push_back(taskbar);
    }
    for (const SecondaryTaskbar& secondary : secondaryTaskbars) {
        found.push_back(secondary.window);
    }
    return found;
}

void SimScreen::showWindow(WindowHandle window, ShowState state) {
    const bool shown = state != ShowState::Hide;
    std::string target = "window " + std::to_string(window);
    if (window != 0 && window == taskbar) {
        target = "taskbar";
        taskbarVisible = shown;
    }
    for (SecondaryTaskbar& secondary : secondaryTaskbars) {
        if (window == secondary.window) {
            target = "secondary taskbar " + std::to_string(window);
            secondary.visible = shown;
        }
    }
    log_.add("showWindow " + target + (shown ? " Normal" : " Hide"));
    showCalls.push_back({window, state});
}

bool SimScreen::everyTaskbar(bool visible) const {
    return (taskbar == 0 || taskbarVisible == visible) &&
           std::all_of(secondaryTaskbars.begin(), secondaryTaskbars.end(),
                       [visible](const SecondaryTaskbar& s) { return s.visible == visible; });
}

std::optional<PixelRect> SimScreen::taskbarRect() {
    log_.add("taskbarRect");
    return rect;
}

}  // namespace quorvel::platform::sim
