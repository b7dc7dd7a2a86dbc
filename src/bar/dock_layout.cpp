#include <string>

#include "bar/bar_numbers.h"
#include "bar/dock.h"
#include "bar/dock_geometry.h"

namespace quorvel::bar {

namespace g = geometry;
namespace w = settings::words;

namespace {

// A custom picture for an item, or its built-in twin placed over it.
void applyItemPicture(platform::Pictures& pictures, const std::string& path, forms::Image& item,
                      forms::Image& builtin, forms::Rect parked) {
    if (!path.empty()) {
        forms::PictureRef picture = pictures.load(path);
        item.setPicture(picture);
        if (picture) {
            builtin.move(parked.left, parked.top);
            return;
        }
        // A file that cannot be read leaves the item without a picture of its own; the
        // built-in one stands in so the item can still be seen and clicked.
    }
    builtin.move(item.left(), item.top());
}

}  // namespace

forms::Twips Dock::topEdgeTop() {
    const forms::Rect screen = ports().screen.bounds();
    return screen.top + screen.height / g::kTopEdgeDivisor;
}

forms::Twips Dock::placedLeft(forms::Twips fullWidth) {
    return barLeft(ports().screen.bounds(), taskbar(), model_.TaskB == w::kShown, fullWidth);
}

Taskbar Dock::taskbar() {
    Taskbar found;
    if (taskbarRect_) {
        found.edge = edgeOf(*taskbarRect_, ports().screen.bounds());
    }
    if (found.edge == Edge::Top || found.edge == Edge::Bottom) {
        found.thickness = taskbarHeightOf(model_.BarSize);
    } else {
        found.thickness = (taskbarRect_->right - taskbarRect_->left) * forms::kTwipsPerDesignPixel;
    }
    return found;
}

void Dock::ApplyLayout() {
    auto& pictures = ports().pictures;
    const forms::Twips full = fullWidthOf(model_.FWdth);

    IFBk_->setWidth(std::max(0, full - g::kBackgroundInset));
    IFBk_->setStretch(true);

    if (!model_.txtFBk.empty()) {
        IFBk_->setPicture(pictures.load(model_.txtFBk));
        parkDefaultBackground();
    } else {
        IFBk_->clearPicture();
        if (model_.Clr == w::kNo) {
            FBKD_->move(0, 0);
        }
        FBKD_->setTop(0);
        FBKD_->setHeight(height());
        FBKD_->setWidth(full);
    }
    if (model_.Clr == w::kYes) {
        parkDefaultBackground();
    }

    applySpecialItemPictures();
    for (int n = 0; n < settings::kSlotCount; ++n) {
        // A slot without a picture of its own shows none: after a set switch it would
        // otherwise show the icon of the link that held the slot before.
        if (model_.L[n].I.empty()) {
            slots_[n]->clearPicture();
        } else {
            slots_[n]->setPicture(pictures.load(model_.L[n].I));
        }
    }
    applySeparatorPictures();

    for (int k = 1; k <= settings::kSetCount; ++k) {
        if (model_.LN[k - 1].empty()) {
            model_.LN[k - 1] = settings::defaultSetName(k);
        }
    }
    for (int k = 0; k < settings::kSeparatorCount; ++k) {
        if (model_.SE[k] == "1") {
            separators_[k]->setVisible(true);
        }
    }

    if (model_.DockPos.empty()) {
        setTop(topEdgeTop());
        model_.DockPos = std::string(w::kTop);
    }
    if (model_.TaskB.empty()) {
        model_.TaskB = std::string(w::kShown);
        TaskBDwn_->setVisible(true);
        TaskBUp_->setVisible(false);
    }
    applyTaskbarState();
    placeVertically();
    setLeft(placedLeft(full));

    if (model_.FTop == w::kYes) {
        setTopmost(true);
    } else if (model_.FTop == w::kNo) {
        setTopmost(false);
    }

    if (model_.BkStrch.empty()) {
        model_.BkStrch = std::string(w::kYes);
    }
    IFBk_->setStretch(model_.BkStrch == w::kYes);

    if (model_.Clr == w::kYes) {
        setBackColor(forms::kTransparentKey);
        setColorKey(forms::kTransparentKey);
    } else if (model_.Clr == w::kNo) {
        setOpaqueBackground();
    }

    if (model_.FntName.empty()) {
        model_.FntName = std::string(w::kDefaultFont);
        model_.FStyle = std::string(w::kRegular);
        model_.FrColor = std::string(w::kDefaultFrColor);
    }

    show();
    showSwitchPanel();
    showNamePopup();
}

void Dock::applySpecialItemPictures() {
    auto& pictures = ports().pictures;
    applyItemPicture(pictures, model_.txtMcIc, *ImgMC_, *MCD_, g::kMyComputerParked);
    applyItemPicture(pictures, model_.txtMdIc, *ImgMD_, *MDD_, g::kMyDocumentsParked);
    applyItemPicture(pictures, model_.txtRbeIc, *ImgRBinEmp_, *RBED_, g::kRecycleBinEmptyParked);
    applyItemPicture(pictures, model_.txtRbfIc, *ImgRBinFll_, *RBFD_, g::kRecycleBinFullParked);
    applyItemPicture(pictures, model_.ClsB, *ClsBtn_, *ClsD_, g::kCloseParked);
}

void Dock::applySeparatorPictures() {
    forms::PictureRef picture;
    if (!model_.SepIcn.empty()) {
        picture = ports().pictures.load(model_.SepIcn);
        Divid1_->setPicture(picture);
    }
    if (picture) {
        DivD_->move(g::kDividerParked.left, g::kDividerParked.top);
    } else {
        // Without a separator picture of the user's own, or with one that cannot be read,
        // separators look like the built-in divider; otherwise a flagged separator would be an
        // empty gap between two slots.
        DivD_->move(Divid1_->left(), Divid1_->top());
        picture = ports().pictures.builtin(forms::BuiltinPicture::Divider);
    }
    for (forms::Image* sep : separators_) {
        sep->setPicture(picture);
    }
}

void Dock::applyTaskbarState() {
    if (model_.TaskB == w::kHidden) {
        TaskBDwn_->setVisible(false);
        TaskBUp_->setVisible(true);
        showTaskbar(platform::ShowState::Hide);
    } else if (model_.TaskB == w::kShown) {
        TaskBDwn_->setVisible(true);
        TaskBUp_->setVisible(false);
        showTaskbar(platform::ShowState::Normal);
    }
}

void Dock::placeVertically() {
    const forms::Rect screen = ports().screen.bounds();
    const std::optional<forms::Twips> wanted =
        barTop(model_.DockPos, model_.TaskB, screen, taskbar(), height());
    // Where the words leave the bar where it was, it still stays on a screen that has changed.
    setTop(topOnScreen(wanted.value_or(top()), screen, height()));
}

void Dock::showSwitchPanel() {
    window_api::SwitchPanel& panel = windows_.switchPanel();
    forms::Form& window = panel.window();
    window.show();
    window.hide();
    window.setTop(top() + g::kPanelTopOffset);
    window.setLeft(left() - window_api::SwitchPanel::kFoldedWidth);
    window.show();
    panel.cmdDLrg(fullWidthOf(model_.FWdth));
}

void Dock::showNamePopup() {
    window_api::NamePopup& popup = windows_.namePopup();
    popup.window().show();
    popup.LNmStyle();
}

}  // namespace quorvel::bar
