#pragma once

#include <memory>

#include "forms/form.h"
#include "platform/ports.h"
#include "window_api/bar.h"
#include "window_api/popups.h"

namespace quorvel::window_api {

// How every window reaches the program's other windows and the system. The program owns the
// windows; the popups are loaded on first use and may be unloaded from anywhere, even from
// inside one of their own handlers: an unloaded window goes quiet at once (no more ticks,
// nothing on screen) and is destroyed after the event.
class Windows {
public:
    virtual ~Windows() = default;

    [[nodiscard]] virtual platform::Ports& ports() = 0;
    // What every window is realised and timed with.
    [[nodiscard]] forms::FormServices formServices() {
        platform::Ports& p = ports();
        return forms::FormServices{p.windows, p.timers, p.pictures};
    }

    [[nodiscard]] virtual Bar& bar() = 0;

    [[nodiscard]] virtual NamePopup& namePopup() = 0;
    [[nodiscard]] virtual NamePopup* namePopupIfLoaded() = 0;
    virtual void unloadNamePopup() = 0;

    [[nodiscard]] virtual SwitchPanel& switchPanel() = 0;
    [[nodiscard]] virtual SwitchPanel* switchPanelIfLoaded() = 0;
    virtual void unloadSwitchPanel() = 0;

    [[nodiscard]] virtual Menu& menu() = 0;
    virtual void unloadMenu() = 0;

    // The settings window and the About window: loaded when first asked for, shown and brought
    // forward; at most one of each.
    virtual void showSettingsWindow() = 0;
    [[nodiscard]] virtual SettingsWindow* settingsWindowIfLoaded() = 0;
    virtual void unloadSettingsWindow() = 0;
    virtual void showAbout() = 0;
    virtual void unloadAbout() = 0;

    // A window a window owns itself (the settings window's folder chooser) goes the same way.
    virtual void retire(std::unique_ptr<forms::Form> window) = 0;
};

}  // namespace quorvel::window_api
