#include <string>

#include "bar/dock.h"
#include "bar/dock_geometry.h"
#include "windows/frm_btn.h"
#include "windows/window_set.h"

namespace quorvel::bar {

namespace g = geometry;
namespace w = settings::words;

platform::WindowHandle Dock::Handle() {
    return ports().screen.findTaskbar();
}

void Dock::showTaskbar(platform::ShowState state) {
    // With no taskbar window there is nothing to show or hide; the bar is placed all the same.
    if (platform::WindowHandle taskbar = Handle(); taskbar != 0) {
        ports().screen.showWindow(taskbar, state);
    }
}

void Dock::cmdBarVis_Click() {
    const bool hidden = model_.TaskB == w::kHidden;
    if (!hidden && model_.TaskB != w::kShown) {
        return;
    }
    showTaskbar(hidden ? platform::ShowState::Hide : platform::ShowState::Normal);
    if (model_.DockPos != w::kBottom) {
        return;
    }
    placeVertically();
    if (windows::FrmBtn* panel = windows_.frmBtnIfLoaded()) {
        panel->setTop(top() + g::kPanelTopOffset);
    }
}

void Dock::TaskBDwn_Click() {
    model_.TaskB = std::string(w::kHidden);
    cmdBarVis_->press();
    TaskBDwn_->setVisible(false);
    TaskBUp_->setVisible(true);
}

void Dock::TaskBUp_Click() {
    model_.TaskB = std::string(w::kShown);
    cmdBarVis_->press();
    TaskBDwn_->setVisible(true);
    TaskBUp_->setVisible(false);
}

void Dock::ClsBtn_Click() {
    windows::FrmBtn& panel = windows_.frmBtn();
    panel.textField("Dcon").setText("on");
    panel.command("cmdDSml").press();
}

}  // namespace quorvel::bar
