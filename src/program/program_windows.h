#pragma once

#include <memory>
#include <vector>

#include "forms/form.h"
#include "platform/ports.h"
#include "program/window_slot.h"
#include "window_api/windows.h"

namespace quorvel::bar {
class Dock;
}
namespace quorvel::menu {
class FrmMenu;
}
namespace quorvel::settings_window {
class FrmSet;
class FrmDirBox;
}  // namespace quorvel::settings_window
namespace quorvel::windows {
class LnkName;
class FrmBtn;
class FrmVerInfo;
}  // namespace quorvel::windows

namespace quorvel::program {

// The program's windows. The bar lives as long as the program; every other window is loaded on
// first use and may be unloaded from anywhere. The windows reach each other only through the
// calls of window_api; the typed accessors below are for the program itself and its tests.
class ProgramWindows final : public window_api::Windows {
public:
    explicit ProgramWindows(platform::Ports ports);
    ~ProgramWindows() override;
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // --- window_api::Windows ---
    [[nodiscard]] platform::Ports& ports() override { return ports_; }
    [[nodiscard]] window_api::Bar& bar() override;
    [[nodiscard]] window_api::NamePopup& namePopup() override;
    [[nodiscard]] window_api::NamePopup* namePopupIfLoaded() override;
    void unloadNamePopup() override;
    [[nodiscard]] window_api::SwitchPanel& switchPanel() override;
    [[nodiscard]] window_api::SwitchPanel* switchPanelIfLoaded() override;
    void unloadSwitchPanel() override;
    [[nodiscard]] window_api::Menu& menu() override;
    void unloadMenu() override;
    void showSettingsWindow() override;
    [[nodiscard]] window_api::SettingsWindow* settingsWindowIfLoaded() override;
    void unloadSettingsWindow() override;
    void showAbout() override;
    void unloadAbout() override;
    void retire(std::unique_ptr<forms::Form> window) override;

    // --- the windows themselves ---
    // The bar: made by loadDock(), gone only with the program.
    bar::Dock& loadDock();
    [[nodiscard]] bar::Dock& dock() noexcept { return *dock_; }
    [[nodiscard]] bar::Dock* dockIfLoaded() noexcept { return dock_.get(); }

    windows::LnkName& lnkName();
    [[nodiscard]] windows::LnkName* lnkNameIfLoaded() const noexcept { return lnkName_.ifLoaded(); }
    windows::FrmBtn& frmBtn();
    [[nodiscard]] windows::FrmBtn* frmBtnIfLoaded() const noexcept { return frmBtn_.ifLoaded(); }
    menu::FrmMenu& frmMenu();
    [[nodiscard]] menu::FrmMenu* frmMenuIfLoaded() const noexcept { return frmMenu_.ifLoaded(); }
    // The settings window, loaded from the bar's fields when first asked for, shown and
    // brought forward.
    settings_window::FrmSet& frmSet();
    [[nodiscard]] settings_window::FrmSet* frmSetIfLoaded() const noexcept {
        return frmSet_.ifLoaded();
    }
    // The settings window's folder chooser while it is open.
    [[nodiscard]] settings_window::FrmDirBox* frmDirBoxIfLoaded() const noexcept;
    windows::FrmVerInfo& frmVerInfo();
    [[nodiscard]] windows::FrmVerInfo* frmVerInfoIfLoaded() const noexcept {
        return frmVerInfo_.ifLoaded();
    }

    // The settings window as the bar's reload sees it. A test may put a stand-in in its place.
    void setSettingsWindow(window_api::SettingsWindow* window) noexcept {
        settingsWindowStandIn_ = window;
    }

    // Destroys the windows unloaded since the last call.
    void reap() noexcept { retired_.clear(); }

private:
    platform::Ports ports_;
    std::unique_ptr<bar::Dock> dock_;
    WindowSlot<windows::LnkName> lnkName_;
    WindowSlot<windows::FrmBtn> frmBtn_;
    WindowSlot<menu::FrmMenu> frmMenu_;
    WindowSlot<settings_window::FrmSet> frmSet_;
    WindowSlot<windows::FrmVerInfo> frmVerInfo_;
    std::vector<std::unique_ptr<forms::Form>> retired_;
    window_api::SettingsWindow* settingsWindowStandIn_ = nullptr;
};

}  // namespace quorvel::program
