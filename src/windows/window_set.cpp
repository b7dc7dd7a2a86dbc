#include "windows/window_set.h"

#include <utility>

#include "bar/dock.h"
#include "menu/frm_menu.h"
#include "settings_window/frm_set.h"
#include "windows/frm_btn.h"
#include "windows/frm_dir_box.h"
#include "windows/frm_ver_info.h"
#include "windows/lnk_name.h"

namespace quorvel::windows {

WindowSet::WindowSet(platform::Ports ports) : ports_(ports) {}

WindowSet::~WindowSet() {
    // The other windows reach into the bar while they live, so they go first.
    frmVerInfo_.reset();
    frmDirBox_.reset();
    frmSet_.reset();
    lnkName_.reset();
    frmBtn_.reset();
    frmMenu_.reset();
    retired_.clear();
    dock_.reset();
}

bar::Dock& WindowSet::loadDock() {
    if (!dock_) {
        dock_ = std::make_unique<bar::Dock>(*this);
    }
    return *dock_;
}

LnkName& WindowSet::lnkName() {
    if (!lnkName_) {
        lnkName_ = std::make_unique<LnkName>(*this);
    }
    return *lnkName_;
}

FrmBtn& WindowSet::frmBtn() {
    if (!frmBtn_) {
        frmBtn_ = std::make_unique<FrmBtn>(*this);
    }
    return *frmBtn_;
}

menu::FrmMenu& WindowSet::frmMenu() {
    if (!frmMenu_) {
        frmMenu_ = std::make_unique<menu::FrmMenu>(*this);
    }
    return *frmMenu_;
}

void WindowSet::unloadFrmMenu() {
    retire(std::move(frmMenu_));
}

settings_window::FrmSet& WindowSet::frmSet() {
    if (!frmSet_) {
        frmSet_ = std::make_unique<settings_window::FrmSet>(*this);
    }
    frmSet_->show();
    frmSet_->bringToFront();
    return *frmSet_;
}

void WindowSet::unloadFrmSet() {
    unloadFrmDirBox();
    retire(std::move(frmSet_));
}

FrmDirBox& WindowSet::frmDirBox() {
    if (!frmDirBox_) {
        frmDirBox_ = std::make_unique<FrmDirBox>(*this);
    }
    return *frmDirBox_;
}

void WindowSet::unloadFrmDirBox() {
    retire(std::move(frmDirBox_));
}

FrmVerInfo& WindowSet::frmVerInfo() {
    if (!frmVerInfo_) {
        frmVerInfo_ = std::make_unique<FrmVerInfo>(*this);
    }
    frmVerInfo_->show();
    frmVerInfo_->bringToFront();
    return *frmVerInfo_;
}

void WindowSet::unloadFrmVerInfo() {
    retire(std::move(frmVerInfo_));
}

bar::SettingsWindowLink* WindowSet::settingsWindow() const noexcept {
    if (settingsWindow_ != nullptr) {
        return settingsWindow_;
    }
    return frmSet_.get();
}

void WindowSet::unloadLnkName() {
    retire(std::move(lnkName_));
}

void WindowSet::unloadFrmBtn() {
    retire(std::move(frmBtn_));
}

void WindowSet::retire(std::unique_ptr<forms::Form> window) {
    // A window unloaded from inside one of its own handlers (the restart pressed by the panel's
    // closing timer unloads that very panel) must not be destroyed under the running handler.
    if (!window) {
        return;
    }
    window->quieten();
    retired_.push_back(std::move(window));
}

}  // namespace quorvel::windows
