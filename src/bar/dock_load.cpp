#include <string>
#include <string_view>

#include "bar/dock.h"
#include "bar/dock_geometry.h"

namespace quorvel::bar {

namespace g = geometry;
namespace w = settings::words;

namespace {

// A record that was never written (the gap left when a higher set was saved first) holds
// no set number: only blanks or NULs where RNo would be.
bool isBlank(std::string_view text) {
    return text.find_first_not_of(std::string_view(" \0", 2)) == std::string_view::npos;
}

void trim(std::string& field) {
    field = settings::trimRight(field);
}

}  // namespace

void Dock::loadCurrentSet() {
    settings::SettingsFiles files = settingsFiles();
    shownUnderNoNumber_ = false;
    setUnread_ = false;
    auto count = files.countSets();
    if (!count) {
        // Without its settings the bar still comes up, with the defaults of a first start.
        if (!folderFailureReported_ || ports().files.directoryExists(files.folder())) {
            report(count.error());
        }
        setCount_ = 0;
        setUnread_ = true;
        if (model_.txtRun.empty()) {
            firstStartDefaults();
        } else {
            // A restart: the fields still hold the set shown before, which is not the one
            // asked for. They go, or a save would write them under the new set's number.
            currentSet_ = 0;
            missingSetDefaults();
        }
        return;
    }
    setCount_ = count.value();
    if (setCount_ == 0) {
        firstStartDefaults();
        return;
    }
    const int number = settings::toInt16(model_.RNo);
    if (settings::numericValue(model_.RNo) > setCount_) {
        currentSet_ = number <= settings::kSetCount ? number : 0;
        missingSetDefaults();
        return;
    }
    currentSet_ = number;
    if (currentSet_ < 1) {
        // There is no record 0 or below; such a number shows an empty set rather than reading
        // before the start of the file, and that set is never saved (over set 1).
        currentSet_ = 0;
        shownUnderNoNumber_ = true;
        missingSetDefaults();
        return;
    }
    readStoredSet(files);
}

void Dock::readStoredSet(settings::SettingsFiles& files) {
    auto record = files.readSet(currentSet_);
    if (!record) {
        report(record.error());
        setUnread_ = true;
        missingSetDefaults();
        return;
    }
    const settings::SettingsModel& r = record.value();
    if (isBlank(r.RNo)) {
        // Applying a never-written record would leave the bar at width 2 with no set number
        // and no way back; it is a set that does not exist yet.
        missingSetDefaults();
        return;
    }
    model_.RNo = r.RNo;
    model_.Clr = r.Clr;
    model_.FTop = r.FTop;
    model_.FWdth = r.FWdth;
    model_.txtMcIc = r.txtMcIc;
    model_.txtMdIc = r.txtMdIc;
    model_.txtRbeIc = r.txtRbeIc;
    model_.txtRbfIc = r.txtRbfIc;
    model_.ClsB = r.ClsB;
    model_.OpnB = r.OpnB;
    model_.SepIcn = r.SepIcn;
    model_.BkStrch = r.BkStrch;
    model_.txtFBk = r.txtFBk;
    model_.SE = r.SE;
    model_.L = r.L;
    // Only the first set loaded brings the set names; later the names in memory win, so an
    // edit of the names survives a switch to a set whose record holds older ones.
    if (model_.txtRun.empty()) {
        model_.LN = r.LN;
    }

    dockRecord_ = 1;
    auto dock = files.readDock();
    if (dock) {
        model_.TaskB = dock.value().TaskB;
        model_.DockPos = dock.value().DockPos;
        model_.FntName = dock.value().FntName;
        model_.FStyle = dock.value().FStyle;
        model_.FrColor = dock.value().FrColor;
    } else {
        report(dock.error());
        applyDockDefaults();
    }
    finishLoad();
}

void Dock::finishLoad() {
    for (std::string* f :
         {&model_.TaskB, &model_.DockPos, &model_.FntName, &model_.FStyle, &model_.FrColor,
          &model_.RNo, &model_.Clr, &model_.FTop, &model_.FWdth, &model_.txtMcIc, &model_.txtMdIc,
          &model_.txtRbeIc, &model_.txtRbfIc, &model_.ClsB, &model_.OpnB, &model_.SepIcn,
          &model_.BkStrch, &model_.txtFBk}) {
        trim(*f);
    }
    for (auto& flag : model_.SE) {
        trim(flag);
    }
    for (auto& slot : model_.L) {
        trim(slot.T);
        trim(slot.N);
        trim(slot.I);
        trim(slot.P);
    }
    if (model_.txtRun.empty()) {
        for (auto& name : model_.LN) {
            trim(name);
        }
        model_.txtRun = std::string(w::kRun);
    }
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
    model_.TaskB = std::string(w::kShown);
    TaskBDwn_->setVisible(true);
    TaskBUp_->setVisible(false);
    // The button now says the taskbar is shown, so it is: a taskbar left hidden by an earlier
    // set, or by a run that was killed, would otherwise stay hidden with no button to bring
    // it back.
    showTaskbar(platform::ShowState::Normal);
    model_.DockPos = std::string(w::kTop);
    model_.FntName = std::string(w::kDefaultFont);
    model_.FStyle = std::string(w::kRegular);
    model_.FrColor = std::string(w::kDefaultFrColor);
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
    model_.txtFBk.clear();
    model_.Clr = std::string(w::kNo);
    setOpaqueBackground();
    model_.FTop = std::string(w::kYes);
    setTopmost(true);
    model_.BkStrch = std::string(w::kYes);
    IFBk_->setStretch(true);
}

// An empty bar is as wide as its fixed items, centred, above every other window.
void Dock::centreAtDefaultWidth() {
    setLeft(centredLeft(g::kDefaultWidth));
    model_.FWdth = std::to_string(g::kDefaultWidth);
    setTopmost(true);
}

void Dock::firstStartDefaults() {
    currentSet_ = 0;
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
}

void Dock::missingSetDefaults() {
    applyAppearanceDefaults();

    model_.txtMcIc.clear();
    ImgMC_->clearPicture();
    model_.txtMdIc.clear();
    ImgMD_->clearPicture();
    model_.txtRbeIc.clear();
    ImgRBinEmp_->clearPicture();
    model_.txtRbfIc.clear();
    ImgRBinFll_->clearPicture();
    model_.ClsB.clear();
    ClsBtn_->clearPicture();
    model_.OpnB.clear();
    model_.SepIcn.clear();
    Divid1_->clearPicture();

    for (int k = 0; k < settings::kSeparatorCount; ++k) {
        model_.SE[k].clear();
        separators_[k]->clearPicture();
        separators_[k]->setVisible(false);
    }
    for (int n = 0; n < settings::kSlotCount; ++n) {
        model_.L[n] = settings::LinkSlot{};
        slots_[n]->clearPicture();
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
