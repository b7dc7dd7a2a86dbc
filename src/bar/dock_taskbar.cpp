#include <cstdint>
#include <string>
#include <vector>

#include "bar/bar_numbers.h"
#include "bar/dock.h"
#include "bar/dock_geometry.h"

namespace quorvel::bar {

namespace g = geometry;
namespace w = settings::words;

platform::WindowHandle Dock::Handle() {
    const std::vector<platform::WindowHandle> taskbars = ports().screen.findTaskbars();
    return taskbars.empty() ? 0 : taskbars.front();
}

void Dock::showTaskbar(platform::ShowState state) {
    // The taskbar is every taskbar the shell shows, one on each monitor, hidden and shown
    // together. With none there is nothing to show or hide; the bar is placed all the same.
    for (platform::WindowHandle taskbar : ports().screen.findTaskbars()) {
        if (taskbar != 0) {
            ports().screen.showWindow(taskbar, state);
        }
    }
}

void Dock::measureTaskbar() {
    // Without an answer BarSize keeps what it held, and the bar what it knew of the edge.
    if (auto rect = ports().screen.taskbarRect()) {
        const std::int64_t pixels = std::int64_t{rect->bottom} - rect->top;
        model_.BarSize = std::to_string(pixels * forms::kTwipsPerDesignPixel);
        taskbarRect_ = rect;
    }
}

void Dock::ShellRestarted() {
    measureTaskbar();
    cmdBarVis();
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
    // A bar that never loaded a set (no user name) has no edge to keep to; it only stays on
    // the screen, where a later restart lays it out from.
    if (model_.DockPos.empty()) {
        const forms::Rect kept = forms::keptOn(ports().screen.bounds(), bounds());
        setLeft(kept.left);
        setTop(kept.top);
        return;
    }
    const forms::Twips oldLeft = left();
    const forms::Twips oldTop = top();
    placeVertically();
    setLeft(placedLeft(fullWidthOf(model_.FWdth)));
    keepBesideBar(windows_.switchPanelIfLoaded(), oldLeft, oldTop);
    keepBesideBar(windows_.namePopupIfLoaded(), oldLeft, oldTop);
    if (window_api::NamePopup* popup = windows_.namePopupIfLoaded()) {
        forms::Form& name = popup->window();
        const forms::Rect kept = forms::keptOn(ports().screen.bounds(), name.bounds());
        name.setLeft(kept.left);
        name.setTop(kept.top);
    }
}

template <class Popup>
void Dock::keepBesideBar(Popup* popup, forms::Twips oldLeft, forms::Twips oldTop) {
    // The panel and the name keep their places against the bar, whatever state they are in: a
    // name half way through its slide would otherwise slide on towards the bar's new edge.
    if (popup != nullptr) {
        forms::Form& window = popup->window();
        window.setLeft(window.left() + left() - oldLeft);
        window.setTop(window.top() + top() - oldTop);
    }
}

void Dock::cmdBarVis() {
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
    if (window_api::SwitchPanel* panel = windows_.switchPanelIfLoaded()) {
        panel->window().setTop(top() + g::kPanelTopOffset);
    }
    keepBesideBar(windows_.namePopupIfLoaded(), left(), oldTop);
}

void Dock::TaskBDwn_Click() {
    model_.TaskB = std::string(w::kHidden);
    cmdBarVis();
    TaskBDwn_->setVisible(false);
    TaskBUp_->setVisible(true);
}

void Dock::TaskBUp_Click() {
    model_.TaskB = std::string(w::kShown);
    cmdBarVis();
    TaskBDwn_->setVisible(true);
    TaskBUp_->setVisible(false);
}

void Dock::ClsBtn_Click() {
    windows_.switchPanel().cmdDSml(window_api::SwitchPanel::AfterClosing::StayClosed);
}

}  // namespace quorvel::bar
