#include <cstddef>
#include <optional>
#include <string>

#include "menu/frm_menu.h"
#include "settings/picture_filter.h"

namespace quorvel::menu {

void FrmMenu::wireEdits() {
    SepIn_->onClick = [this] { SepIn_Click(); };
    LnchPos_->onClick = [this] { LnchPos_Click(); };
    menuItem("BkClrOff").onClick = [this] { BkClrOff_Click(); };
    menuItem("BkClrOn").onClick = [this] { BkClrOn_Click(); };
    menuItem("NoBkClr").onClick = [this] { NoBkClr_Click(); };
    DClr_->onClick = [this] { DClr_Click(); };
    BStrch_->onClick = [this] { BStrch_Click(); };
    TBar_->onClick = [this] { TBar_Click(); };
    menuItem("TBarrrSave").onClick = [this] { TBarrrSave_Click(); };
    for (std::size_t k = 0; k < Set_.size(); ++k) {
        Set_[k]->onClick = [this, n = static_cast<int>(k) + 1] { Set_Click(n); };
    }
    menuItem("WinClse").onClick = [this] { WinClse_Click(); };
}

// Each quick edit is the bar's own: the menu says which, and the bar changes its settings,
// saves and restarts as that edit needs.
void FrmMenu::SepIn_Click() {
    windows_.bar().SepIn();
}

void FrmMenu::LnchPos_Click() {
    windows_.bar().LnchPos();
}

void FrmMenu::BkClrOff_Click() {
    windows_.bar().prepareBackground(false);
    ChoosePicture();
}

void FrmMenu::BkClrOn_Click() {
    windows_.bar().prepareBackground(true);
    ChoosePicture();
}

// A cancelled choice keeps what the calling entry already changed in memory, unsaved: the next
// save writes it.
void FrmMenu::ChoosePicture() {
    platform::OpenFileRequest request;
    request.filter = std::string(settings::kPictureFilter);
    request.filterIndex = settings::kAllPicturesFilter;
    request.initialFolder = windows_.bar().settings().txtCDir;
    request.hideReadOnly = true;
    const std::optional<std::string> file = windows_.ports().dialogs.openFile(request);
    if (!file || file->empty()) {
        return;
    }
    windows_.bar().setBackgroundPicture(*file);
}

void FrmMenu::NoBkClr_Click() {
    windows_.bar().NoBkClr();
}

void FrmMenu::DClr_Click() {
    windows_.bar().DClr();
}

void FrmMenu::BStrch_Click() {
    windows_.bar().BStrch();
}

void FrmMenu::TBar_Click() {
    windows_.bar().TBar();
}

void FrmMenu::TBarrrSave_Click() {
    static_cast<void>(windows_.bar().cmdDsSave());
}

void FrmMenu::Set_Click(int n) {
    windows_.bar().switchToSet(n);
}

void FrmMenu::WinClse_Click() {
    // Only the shell's own window is asked: every other program keeps running with whatever
    // it has not saved. Where there is no shell window, nothing happens, as with any launch
    // that fails.
    static_cast<void>(windows_.ports().shell.requestShutDownOptions());
}

}  // namespace quorvel::menu
