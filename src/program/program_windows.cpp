#include "program/program_windows.h"

#include <utility>

#include "bar/dock.h"
#include "menu/frm_menu.h"
#include "settings_window/frm_dir_box.h"
#include "settings_window/frm_set.h"
#include "windows/frm_btn.h"
#include "windows/frm_ver_info.h"
#include "windows/lnk_name.h"

namespace quorvel::program {

namespace {
template <class T>
WindowSlot<T> slotOf(ProgramWindows& windows) {
    return WindowSlot<T>(
        [&windows] { return std::make_unique<T>(windows); },
        [&windows](std::unique_ptr<forms::Form> w) { windows.retire(std::move(w)); });
}
}  // namespace

ProgramWindows::ProgramWindows(platform::Ports ports)
    : ports_(ports),
      lnkName_(slotOf<windows::LnkName>(*this)),
      frmBtn_(slotOf<windows::FrmBtn>(*this)),
      frmMenu_(slotOf<menu::FrmMenu>(*this)),
      frmSet_(slotOf<settings_window::FrmSet>(*this)),
      frmVerInfo_(slotOf<windows::FrmVerInfo>(*this)) {}

ProgramWindows::~ProgramWindows() {
    // The other windows reach into the bar while they live, so they go first.
    frmVerInfo_.reset();
    frmSet_.reset();
    lnkName_.reset();
    frmBtn_.reset();
    frmMenu_.reset();
    retired_.clear();
    dock_.reset();
}

bar::Dock& ProgramWindows::loadDock() {
    if (!dock_) {
        dock_ = std::make_unique<bar::Dock>(*this);
    }
    return *dock_;
}

void ProgramWindows::unloadNamePopup() {
    lnkName_.unload();
}

void ProgramWindows::unloadSwitchPanel() {
    frmBtn_.unload();
}

void ProgramWindows::unloadMenu() {
    frmMenu_.unload();
}

void ProgramWindows::showSettingsWindow() {
    static_cast<void>(frmSet());
}

void ProgramWindows::unloadSettingsWindow() {
    frmSet_.unload();
}

void ProgramWindows::showAbout() {
    static_cast<void>(frmVerInfo());
}

void ProgramWindows::unloadAbout() {
    frmVerInfo_.unload();
}

windows::LnkName& ProgramWindows::lnkName() {
    return lnkName_.get();
}

windows::FrmBtn& ProgramWindows::frmBtn() {
    return frmBtn_.get();
}

menu::FrmMenu& ProgramWindows::frmMenu() {
    return frmMenu_.get();
}

window_api::Bar& ProgramWindows::bar() {
    return *dock_;
}

window_api::NamePopup& ProgramWindows::namePopup() {
    return lnkName_.get();
}

window_api::NamePopup* ProgramWindows::namePopupIfLoaded() {
    return lnkName_.ifLoaded();
}

window_api::SwitchPanel& ProgramWindows::switchPanel() {
    return frmBtn_.get();
}

window_api::SwitchPanel* ProgramWindows::switchPanelIfLoaded() {
    return frmBtn_.ifLoaded();
}

window_api::Menu& ProgramWindows::menu() {
    return frmMenu_.get();
}

window_api::SettingsWindow* ProgramWindows::settingsWindowIfLoaded() {
    if (settingsWindowStandIn_ != nullptr) {
        return settingsWindowStandIn_;
    }
    return frmSet_.ifLoaded();
}

settings_window::FrmSet& ProgramWindows::frmSet() {
    settings_window::FrmSet& window = frmSet_.get();
    window.show();
    window.bringToFront();
    return window;
}

settings_window::FrmDirBox* ProgramWindows::frmDirBoxIfLoaded() const noexcept {
    settings_window::FrmSet* window = frmSet_.ifLoaded();
    return window != nullptr ? window->folderChooser() : nullptr;
}

windows::FrmVerInfo& ProgramWindows::frmVerInfo() {
    windows::FrmVerInfo& window = frmVerInfo_.get();
    window.show();
    window.bringToFront();
    return window;
}

void ProgramWindows::retire(std::unique_ptr<forms::Form> window) {
    // A window unloaded from inside one of its own handlers (the restart pressed by the panel's
    // closing timer unloads that very panel) must not be destroyed under the running handler.
    if (!window) {
        return;
    }
    window->quieten();
    retired_.push_back(std::move(window));
}

}  // namespace quorvel::program
