#include <cstddef>
#include <string>

#include "bar/dock.h"

namespace quorvel::bar {

namespace w = settings::words;

void Dock::saveAndRestart() {
    const bool saved = cmdDsSave();
    windows_.unloadNamePopup();
    if (saved) {
        cmdReStart();
    } else {
        // Reloading now would bring back the stored settings and silently undo the change just
        // made (and a taskbar state not yet saved); the bar shows what the person chose, and
        // the failure has been reported.
        relayout();
    }
}

void Dock::relayout() {
    tearDownForRestart();
    for (forms::Image* sep : separators_) {
        sep->setVisible(false);
    }
    ApplyLayout();
}

void Dock::SepIn() {
    for (int k = 1; k <= settings::kSeparatorCount; ++k) {
        if (model_.SNo != std::to_string(k)) {
            continue;
        }
        std::string& flag = model_.SE[static_cast<std::size_t>(k - 1)];
        const bool present = flag == "1";
        flag = present ? "" : "1";
        // Shown or hidden where the last layout put it: no restart.
        separators_[static_cast<std::size_t>(k - 1)]->setVisible(!present);
        static_cast<void>(cmdDsSave());
        model_.SNo.clear();
        return;
    }
}

void Dock::LnchPos() {
    if (model_.DockPos == w::kTop) {
        model_.DockPos = std::string(w::kBottom);
    } else if (model_.DockPos == w::kBottom) {
        model_.DockPos = std::string(w::kTop);
    } else {
        return;
    }
    saveAndRestart();
}

void Dock::prepareBackground(bool transparent) {
    model_.Clr = std::string(transparent ? w::kYes : w::kNo);
    model_.BkStrch = std::string(w::kYes);
    IFBk_->setStretch(true);
}

void Dock::setBackgroundPicture(std::string path) {
    model_.txtFBk = std::move(path);
    saveAndRestart();
}

void Dock::NoBkClr() {
    model_.txtFBk.clear();
    model_.Clr = std::string(w::kYes);
    model_.BkStrch = std::string(w::kNo);
    saveAndRestart();
}

void Dock::DClr() {
    model_.Clr = std::string(model_.Clr == w::kYes ? w::kNo : w::kYes);
    saveAndRestart();
}

void Dock::BStrch() {
    if (model_.BkStrch == w::kYes) {
        model_.BkStrch = std::string(w::kNo);
        IFBk_->setStretch(false);
    } else if (model_.BkStrch == w::kNo) {
        model_.BkStrch = std::string(w::kYes);
        IFBk_->setStretch(true);
    } else {
        return;
    }
    saveAndRestart();
}

// Shows or hides the taskbar for now; only "save the taskbar's state" keeps it.
void Dock::TBar() {
    const bool hide = model_.TaskB != w::kHidden;
    model_.TaskB = std::string(hide ? w::kHidden : w::kShown);
    TaskBDwn_->setVisible(!hide);
    TaskBUp_->setVisible(hide);
    cmdBarVis();
}

void Dock::switchToSet(int n) {
    hide();
    model_.RNo = std::to_string(n);
    model_.MRNo = std::to_string(n);
    cmdReStart();
}

void Dock::chooseSet(int n) {
    // Only RNo changes: the menu's own set change also tells the settings window through MRNo,
    // the panel does not.
    model_.RNo = std::to_string(n);
}

std::string Dock::takeMenuSetChoice() {
    std::string chosen = std::move(model_.MRNo);
    model_.MRNo.clear();
    return chosen;
}

void Dock::settingsWindowSaved(const window_api::SavedSet& saved) {
    // The width and separators the save decided are this set's own: they reach the fields only
    // while the bar shows that set.
    if (settings::toInt16(model_.RNo) == settings::toInt16(saved.number)) {
        model_.FWdth = saved.width;
        model_.SE = saved.separators;
    }
    model_.RNo = saved.number;
    model_.LN = saved.names;
    windows_.unloadNamePopup();
    cmdReStart();
}

void Dock::switchForSettingsWindow(const std::string& number) {
    model_.RNo = number;
    model_.Edit = "1";
    cmdReStart();
}

void Dock::setBinCount(std::int64_t items) {
    txtRBin_->setText(std::to_string(items));
}

}  // namespace quorvel::bar
