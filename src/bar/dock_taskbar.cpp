#include <cstdint>
#include <string>

#include "bar/bar_numbers.h"
#include "bar/dock.h"
#include "bar/dock_geometry.h"
#include "windows/frm_btn.h"
#include "windows/lnk_name.h"
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

void Dock::measureTaskbar() {
    // Without an answer BarSize keeps what it held.
    if (auto rect = ports().screen.taskbarRect()) {
        const std::int64_t pixels = std::int64_t{rect->bottom} - rect->top;
        model_.BarSize = std::to_string(pixels * forms::kTwipsPerDesignPixel);
    }
}

void Dock::ShellRestarted() {
    measureTaskbar();
    cmdBarVis_->press();
}

void Dock::ScreenChanged() {
    measureTaskbar();
    keepTaskbarAsSet();
    placeOnScreen();
    screenRechecks_ = kScreenRecheckCount;
    tmeScreen_->start(kScreenRecheckMs);
}

void Dock::tmeScreen_Timer() {
    measureTaskbar();
    keepTaskbarAsSet();
    placeOnScreen();
    if (--screenRechecks_ <= 0) {
        tmeScreen_->stop();
    }
}

void Dock::keepTaskbarAsSet() {
    // A shell lays its taskbar out afresh for a new screen and may show it again while doing
    // so; a restart would hide it again, and so does this.
    if (model_.TaskB == w::kHidden) {
        showTaskbar(platform::ShowState::Hide);
    }
}

void Dock::placeOnScreen() {
    // A bar that never loaded a set (no user name) has no edge to keep to.
    if (model_.DockPos.empty()) {
        return;
    }
    const forms::Twips oldLeft = left();
    const forms::Twips oldTop = top();
    placeVertically();
    setLeft(centredLeft(fullWidthOf(model_.FWdth)));
    keepBesideBar(windows_.frmBtnIfLoaded(), oldLeft, oldTop);
    keepBesideBar(windows_.lnkNameIfLoaded(), oldLeft, oldTop);
}

void Dock::keepBesideBar(forms::Form* window, forms::Twips oldLeft, forms::Twips oldTop) {
    // The panel and the name keep their places against the bar, whatever state they are in: a
    // name half way through its slide would otherwise slide on towards the bar's new edge.
    if (window != nullptr) {
        window->setLeft(window->left() + left() - oldLeft);
        window->setTop(window->top() + top() - oldTop);
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
    const forms::Twips oldTop = top();
    placeVertically();
    if (windows::FrmBtn* panel = windows_.frmBtnIfLoaded()) {
        panel->setTop(top() + g::kPanelTopOffset);
    }
    keepBesideBar(windows_.lnkNameIfLoaded(), left(), oldTop);
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
