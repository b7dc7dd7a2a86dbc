#pragma once

#include <memory>
#include <vector>

#include "forms/form.h"
#include "platform/ports.h"

namespace quorvel::bar {
class Dock;
class SettingsWindowLink;
}  // namespace quorvel::bar

namespace quorvel::menu {
class FrmMenu;
}  // namespace quorvel::menu

namespace quorvel::settings_window {
class FrmSet;
}

namespace quorvel::windows {

class LnkName;
class FrmBtn;
class FrmDirBox;
class FrmVerInfo;

// The program's windows as each of them reaches the others. The bar lives as long as the set;
// the popups are loaded on first use and may be unloaded from anywhere, even from inside one of
// their own handlers: an unloaded window goes quiet at once (no more ticks, nothing on screen)
// and is destroyed by reap(), which the host runs after each event.
class WindowSet {
public:
    explicit WindowSet(platform::Ports ports);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    [[nodiscard]] platform::Ports& ports() noexcept { return ports_; }
    // What every window is realised and timed with.
    [[nodiscard]] forms::FormServices formServices() noexcept {
        return forms::FormServices{ports_.windows, ports_.timers, ports_.pictures};
    }

    // The bar: made by loadDock(), gone only with the set.
    bar::Dock& loadDock();
    [[nodiscard]] bar::Dock& dock() noexcept { return *dock_; }
    [[nodiscard]] bar::Dock* dockIfLoaded() noexcept { return dock_.get(); }

    LnkName& lnkName();
    FrmBtn& frmBtn();
    menu::FrmMenu& frmMenu();
    [[nodiscard]] LnkName* lnkNameIfLoaded() noexcept { return lnkName_.get(); }
    [[nodiscard]] FrmBtn* frmBtnIfLoaded() noexcept { return frmBtn_.get(); }
    [[nodiscard]] menu::FrmMenu* frmMenuIfLoaded() noexcept { return frmMenu_.get(); }
    void unloadLnkName();
    void unloadFrmBtn();
    void unloadFrmMenu();

    // The settings window, loaded from the bar's fields when first asked for and shown; at
    // most one. Unloading it unloads its folder chooser too.
    settings_window::FrmSet& frmSet();
    [[nodiscard]] settings_window::FrmSet* frmSetIfLoaded() noexcept { return frmSet_.get(); }
    void unloadFrmSet();
    FrmDirBox& frmDirBox();
    [[nodiscard]] FrmDirBox* frmDirBoxIfLoaded() noexcept { return frmDirBox_.get(); }
    void unloadFrmDirBox();

    // The About window, loaded when first asked for, shown and brought forward; at most one.
    FrmVerInfo& frmVerInfo();
    [[nodiscard]] FrmVerInfo* frmVerInfoIfLoaded() noexcept { return frmVerInfo_.get(); }
    void unloadFrmVerInfo();

    // The settings window while it is open, as the bar's restart sees it. A test may put a
    // stand-in in its place.
    void setSettingsWindow(bar::SettingsWindowLink* link) noexcept { settingsWindow_ = link; }
    [[nodiscard]] bar::SettingsWindowLink* settingsWindow() const noexcept;

    // Destroys the windows unloaded since the last call.
    void reap() noexcept { retired_.clear(); }

private:
    void retire(std::unique_ptr<forms::Form> window);

    platform::Ports ports_;
    std::unique_ptr<bar::Dock> dock_;
    std::unique_ptr<LnkName> lnkName_;
    std::unique_ptr<FrmBtn> frmBtn_;
    std::unique_ptr<menu::FrmMenu> frmMenu_;
    std::unique_ptr<settings_window::FrmSet> frmSet_;
    std::unique_ptr<FrmDirBox> frmDirBox_;
    std::unique_ptr<FrmVerInfo> frmVerInfo_;
    std::vector<std::unique_ptr<forms::Form>> retired_;
    bar::SettingsWindowLink* settingsWindow_ = nullptr;
};

}  // namespace quorvel::windows
