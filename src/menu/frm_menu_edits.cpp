#include <cstddef>
#include <optional>
#include <string>

#include "bar/dock.h"
#include "menu/frm_menu.h"
#include "settings/picture_filter.h"
#include "windows/window_set.h"

namespace quorvel::menu {

namespace w = settings::words;

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

// Settings are never applied piece by piece: written, saved, and the bar built afresh from
// them, without a name left standing from the bar as it was.
void FrmMenu::saveAndRestart() {
    bar::Dock& dock = windows_.dock();
    dock.command("cmdDsSave").press();
    windows_.unloadLnkName();
    dock.command("cmdReStart").press();
}

void FrmMenu::SepIn_Click() {
    bar::Dock& dock = windows_.dock();
    settings::SettingsModel& m = dock.model();
    for (int k = 1; k <= settings::kSeparatorCount; ++k) {
        if (m.SNo != std::to_string(k)) {
            continue;
        }
        std::string& flag = m.SE[static_cast<std::size_t>(k - 1)];
        const bool present = flag == "1";
        flag = present ? "" : "1";
        // Shown or hidden where the last layout put it: no restart.
        dock.separatorImage(k).setVisible(!present);
        dock.command("cmdDsSave").press();
        m.SNo.clear();
        return;
    }
}

void FrmMenu::LnchPos_Click() {
    settings::SettingsModel& m = windows_.dock().model();
    if (m.DockPos == w::kTop) {
        m.DockPos = std::string(w::kBottom);
    } else if (m.DockPos == w::kBottom) {
        m.DockPos = std::string(w::kTop);
    } else {
        return;
    }
    saveAndRestart();
}

void FrmMenu::BkClrOff_Click() {
    bar::Dock& dock = windows_.dock();
    dock.model().Clr = std::string(w::kNo);
    dock.model().BkStrch = std::string(w::kYes);
    dock.image("IFBk").setStretch(true);
    ChoosePicture();
}

void FrmMenu::BkClrOn_Click() {
    bar::Dock& dock = windows_.dock();
    dock.model().Clr = std::string(w::kYes);
    dock.model().BkStrch = std::string(w::kYes);
    dock.image("IFBk").setStretch(true);
    ChoosePicture();
}

// A cancelled choice keeps what the calling entry already changed in memory, unsaved: the next
// save writes it.
void FrmMenu::ChoosePicture() {
    settings::SettingsModel& m = windows_.dock().model();
    platform::OpenFileRequest request;
    request.filter = std::string(settings::kPictureFilter);
    request.filterIndex = settings::kAllPicturesFilter;
    request.initialFolder = m.txtCDir;
    request.hideReadOnly = true;
    const std::optional<std::string> file = windows_.ports().dialogs.openFile(request);
    if (!file || file->empty()) {
        return;
    }
    m.txtFBk = *file;
    saveAndRestart();
}

void FrmMenu::NoBkClr_Click() {
    settings::SettingsModel& m = windows_.dock().model();
    m.txtFBk.clear();
    m.Clr = std::string(w::kYes);
    m.BkStrch = std::string(w::kNo);
    saveAndRestart();
}

void FrmMenu::DClr_Click() {
    settings::SettingsModel& m = windows_.dock().model();
    m.Clr = std::string(m.Clr == w::kYes ? w::kNo : w::kYes);
    saveAndRestart();
}

void FrmMenu::BStrch_Click() {
    bar::Dock& dock = windows_.dock();
    settings::SettingsModel& m = dock.model();
    if (m.BkStrch == w::kYes) {
        m.BkStrch = std::string(w::kNo);
        dock.image("IFBk").setStretch(false);
    } else if (m.BkStrch == w::kNo) {
        m.BkStrch = std::string(w::kYes);
        dock.image("IFBk").setStretch(true);
    } else {
        return;
    }
    saveAndRestart();
}

// Shows or hides the taskbar for now; only "save the taskbar's state" keeps it.
void FrmMenu::TBar_Click() {
    bar::Dock& dock = windows_.dock();
    const bool hide = dock.model().TaskB != w::kHidden;
    dock.model().TaskB = std::string(hide ? w::kHidden : w::kShown);
    dock.image("TaskBDwn").setVisible(!hide);
    dock.image("TaskBUp").setVisible(hide);
    dock.command("cmdBarVis").press();
}

void FrmMenu::TBarrrSave_Click() {
    windows_.dock().command("cmdDsSave").press();
}

void FrmMenu::Set_Click(int n) {
    bar::Dock& dock = windows_.dock();
    dock.hide();
    dock.model().RNo = std::to_string(n);
    dock.model().MRNo = std::to_string(n);
    dock.command("cmdReStart").press();
}

void FrmMenu::WinClse_Click() {
    // Only the shell's own window is asked: every other program keeps running with whatever
    // it has not saved. Where there is no shell window, nothing happens, as with any launch
    // that fails.
    static_cast<void>(windows_.ports().shell.requestShutDownOptions());
}

}  // namespace quorvel::menu
