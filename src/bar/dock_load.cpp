#include <string>
#include <string_view>

#include "bar/dock.h"
#include "bar/dock_geometry.h"
#include "settings/record_layout.h"
#include "settings/set_lookup.h"

namespace quorvel::bar {

namespace g = geometry;
namespace w = settings::words;

void Dock::loadCurrentSet() {
    using Found = settings::SetLookup::Found;
    settings::SettingsFiles files = settingsFiles();
    shownUnderNoNumber_ = false;
    setUnread_ = false;
    settings::SetLookup set = settings::lookUpSet(files, model_.RNo);
    setCount_ = set.storedSets;
    currentSet_ = set.number;
    switch (set.found) {
        case Found::Set:
            takeStoredSet(files, std::move(set.fields));
            return;
        case Found::NoSetsYet:
            firstStartDefaults();
            return;
        case Found::NotStored:
            missingSetDefaults();
            return;
        case Found::NoNumber:
            // Such a set is never saved (over set 1, which a save takes an empty number for).
            shownUnderNoNumber_ = true;
            missingSetDefaults();
            return;
        case Found::Unreadable:
            break;
    }
    // Without its settings the bar still comes up, as a stand-in that no save may write over
    // the stored set. The start could not make the settings folder and said so: the missing
    // files that follow are the same trouble.
    setUnread_ = true;
    if (!folderFailureReported_ || ports().files.directoryExists(files.folder())) {
        report(*set.error);
    }
    if (model_.txtRun.empty()) {
        firstStartDefaults();
    } else {
        // A restart: the fields still hold the set shown before, which is not the one asked
        // for. They go, or a save would write them under the new set's number.
        missingSetDefaults();
    }
}

void Dock::takeStoredSet(settings::SettingsFiles& files, settings::SettingsModel stored) {
    for (const settings::FieldLayout& f : settings::setRecordLayout()) {
        // Only the first set loaded brings the set names; later the names in memory win, so an
        // edit of the names survives a switch to a set whose record holds older ones.
        if (f.group != settings::FieldGroup::SetName || model_.txtRun.empty()) {
            settings::valueOf(model_, f) = std::move(settings::valueOf(stored, f));
        }
    }
    dockRecord_ = 1;
    auto dock = files.readDock();
    if (dock) {
        for (const settings::FieldLayout& f : settings::dockRecordLayout()) {
            settings::valueOf(model_, f) = settings::trimRight(settings::valueOf(dock.value(), f));
        }
    } else {
        report(dock.error());
        applyDockDefaults();
    }
    finishLoad();
}

void Dock::finishLoad() {
    model_.txtRun = std::string(w::kRun);
    for (forms::Image* sep : separators_) {
        sep->setVisible(false);
    }
    if (settingsWindowHandshake()) {
        return;
    }
    if (model_.RNo.empty()) {
        if (model_.Edit.empty()) {
            return;
        }
        if (window_api::SettingsWindow* link = windows_.settingsWindowIfLoaded()) {
            model_.RNo = link->launcherSetNumber();
        }
    }
    ApplyLayout();
}

bool Dock::settingsWindowHandshake() {
    if (model_.Edit != "1") {
        return false;
    }
    window_api::SettingsWindow* link = windows_.settingsWindowIfLoaded();
    if (link != nullptr) {
        link->cmdReset();
    }
    model_.Edit.clear();
    if (!model_.RNo.empty()) {
        return false;
    }
    if (link != nullptr) {
        model_.RNo = link->launcherSetNumber();
    }
    setWidth(g::kCollapsedWidth);
    return true;
}

void Dock::applyDockDefaults() {
    for (const settings::FieldLayout& f : settings::dockRecordLayout()) {
        settings::valueOf(model_, f) = f.defaultValue;
    }
    TaskBDwn_->setVisible(true);
    TaskBUp_->setVisible(false);
    // The button now says the taskbar is shown, so it is: a taskbar left hidden by an earlier
    // set, or by a run that was killed, would otherwise stay hidden with no button to bring
    // it back.
    showTaskbar(platform::ShowState::Normal);
}

void Dock::placeDefaultPicturesOverItems() {
    DivD_->move(Divid1_->left(), Divid1_->top());
    ClsD_->move(ClsBtn_->left(), ClsBtn_->top());
    MCD_->move(ImgMC_->left(), ImgMC_->top());
    MDD_->move(ImgMD_->left(), ImgMD_->top());
    RBED_->move(ImgRBinEmp_->left(), ImgRBinEmp_->top());
    RBFD_->move(ImgRBinFll_->left(), ImgRBinFll_->top());
}

void Dock::coverWithDefaultBackground() {
    FBKD_->setBounds(forms::Rect{0, 0, g::kDefaultWidth, height()});
}

void Dock::parkDefaultBackground() {
    FBKD_->setWidth(g::kBackgroundParked.width);
    FBKD_->move(g::kBackgroundParked.left, g::kBackgroundParked.top);
}

void Dock::setOpaqueBackground() {
    setBackColor(forms::kButtonFace);
    // An opaque bar keys nothing out, whatever the set before it was.
    setColorKey(std::nullopt);
}

// The look of a set with nothing stored: opaque, on top, the built-in background stretched.
void Dock::applyAppearanceDefaults() {
    setOpaqueBackground();
    setTopmost(true);
    IFBk_->setStretch(true);
}

// An empty bar is as wide as its fixed items, centred, above every other window.
void Dock::centreAtDefaultWidth() {
    setLeft(placedLeft(g::kDefaultWidth));
    setTopmost(true);
}

void Dock::firstStartDefaults() {
    currentSet_ = 0;
    // Also on a restart that finds no set at all: what the bar showed before is not stored
    // anywhere, and a save must not write it under the number asked for.
    settings::applySetDefaults(model_);
    placeDefaultPicturesOverItems();
    coverWithDefaultBackground();
    centreAtDefaultWidth();
    showSwitchPanel();
    if (model_.txtRun.empty()) {
        for (int k = 1; k <= settings::kSetCount; ++k) {
            model_.LN[k - 1] = settings::defaultSetName(k);
        }
    }
    applyAppearanceDefaults();
    applyDockDefaults();
    showNamePopup();
    // A settings window that switched to a set before any was saved follows the empty set like
    // any other; left pending, its request would reset the window at some later restart and
    // drop the edits made meanwhile.
    settingsWindowHandshake();
}

void Dock::missingSetDefaults() {
    settings::applySetDefaults(model_);
    applyAppearanceDefaults();
    for (forms::Image* item : {ImgMC_, ImgMD_, ImgRBinEmp_, ImgRBinFll_, ClsBtn_, Divid1_}) {
        item->clearPicture();
    }
    for (forms::Image* sep : separators_) {
        sep->clearPicture();
        sep->setVisible(false);
    }
    for (forms::Image* slot : slots_) {
        slot->clearPicture();
    }

    applyDockDefaults();
    placeDefaultPicturesOverItems();
    coverWithDefaultBackground();

    centreAtDefaultWidth();
    show();
    showSwitchPanel();
    showNamePopup();
    settingsWindowHandshake();
}

}  // namespace quorvel::bar
