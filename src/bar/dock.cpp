#include "bar/dock.h"

#include <string>

#include "bar/dock_geometry.h"
#include "bar/program.h"
#include "windows/frm_btn.h"

namespace quorvel::bar {

namespace g = geometry;
using forms::BuiltinPicture;

Dock::Dock(Program& program)
    : forms::Form(std::string(kFormName), program.formServices(),
                  forms::Rect{0, 0, g::kBarDesignWidth, g::kBarHeight}),
      program_(program) {
    createControls();
    wireHandlers();
    wireHover();
    announce();
}

platform::Ports& Dock::ports() const noexcept {
    return program_.ports();
}

void Dock::createControls() {
    auto& pictures = ports().pictures;
    auto builtinImage = [&](const char* name, forms::Rect where, BuiltinPicture picture) {
        forms::Image& img = addImage(name, where);
        img.setPicture(pictures.builtin(picture));
        return &img;
    };

    // Creation order is stacking order: the backgrounds go first so every item is drawn over
    // them, and each default-picture image follows its item so that, when placed over it,
    // the built-in picture is what the user sees and what the pointer hits.
    IFBk_ = &addImage("IFBk", g::kBackground);
    FBKD_ = builtinImage("FBKD", g::kBackgroundParked, BuiltinPicture::Background);

    ClsBtn_ = &addImage("ClsBtn", g::kCloseButton);
    ClsD_ = builtinImage("ClsD", g::kCloseParked, BuiltinPicture::CloseButton);
    TaskBDwn_ = builtinImage("TaskBDwn", g::kTaskbarButton, BuiltinPicture::TaskbarDown);
    TaskBUp_ = builtinImage("TaskBUp", g::kTaskbarButton, BuiltinPicture::TaskbarUp);
    TaskBUp_->setVisible(false);

    ImgMC_ = &addImage("ImgMC", g::kMyComputer);
    MCD_ = builtinImage("MCD", g::kMyComputerParked, BuiltinPicture::MyComputer);
    ImgMD_ = &addImage("ImgMD", g::kMyDocuments);
    MDD_ = builtinImage("MDD", g::kMyDocumentsParked, BuiltinPicture::MyDocuments);
    ImgRBinEmp_ = &addImage("ImgRBinEmp", g::kRecycleBin);
    RBED_ = builtinImage("RBED", g::kRecycleBinEmptyParked, BuiltinPicture::RecycleBinEmpty);
    ImgRBinFll_ = &addImage("ImgRBinFll", g::kRecycleBin);
    // The full bin's picture keeps its own size: it is drawn from the item's corner.
    ImgRBinFll_->setStretch(false);
    RBFD_ = builtinImage("RBFD", g::kRecycleBinFullParked, BuiltinPicture::RecycleBinFull);
    Divid1_ = &addImage("Divid1", g::kDivider);
    DivD_ = builtinImage("DivD", g::kDividerParked, BuiltinPicture::Divider);

    for (int n = 1; n <= settings::kSlotCount; ++n) {
        slots_[n - 1] = &addImage("IL" + std::to_string(n), g::slotRect(n));
    }
    // Separators come after the slots so one that overlaps a slot's edge stays on top.
    for (int n = 1; n <= settings::kSeparatorCount; ++n) {
        separators_[n - 1] = &addImage("Sep" + std::to_string(n), g::separatorRect(n));
        separators_[n - 1]->setVisible(false);
    }

    txtRBin_ = &addTextField("txtRBin");
    txtSvSw_ = &addTextField("txtSvSw");
    cmdReStart_ = &addCommand("cmdReStart", "ReStart");
    cmdDsSave_ = &addCommand("cmdDsSave", "DsSave");
    cndEnd_ = &addCommand("cndEnd", "cmdEnd");
    cmdBarVis_ = &addCommand("cmdBarVis", "BarVis");
    tmeRBin_ = &addTimer("tmeRBin");
}

void Dock::wireHandlers() {
    cmdReStart_->onClick = [this] { cmdReStart_Click(); };
    cmdDsSave_->onClick = [this] { cmdDsSave_Click(); };
    cndEnd_->onClick = [this] { cndEnd_Click(); };
    cmdBarVis_->onClick = [this] { cmdBarVis_Click(); };
    txtSvSw_->onChange = [this] { txtSvSw_Change(); };
    tmeRBin_->onTimer = [this] { tmeRBin_Timer(); };
    TaskBDwn_->events.onClick = [this] { TaskBDwn_Click(); };
    TaskBUp_->events.onClick = [this] { TaskBUp_Click(); };
    ClsBtn_->events.onClick = [this] { ClsBtn_Click(); };
    ClsD_->events.onClick = [this] { ClsBtn_Click(); };
}

void Dock::txtSvSw_Change() {
    // Any window that cannot reach the restart command directly asks for one through this
    // field; an emptied field is only the request being reset.
    if (!txtSvSw_->text().empty()) {
        cmdReStart_->press();
    }
}

void Dock::tmeRBin_Timer() {
    // The bin poll is added with the Recycle Bin item.
}

settings::SettingsFiles Dock::settingsFiles() {
    return settings::SettingsFiles(ports().files, model_.txtCDir, model_.txtUsr);
}

void Dock::report(std::string_view headline, const platform::Error& error) {
    std::string text(headline);
    if (!error.message.empty()) {
        text += '\r';
        text += error.message;
    }
    ports().dialogs.messageBox(text, platform::MessageButtons::Ok);
}

void Dock::report(const platform::Error& error) {
    // The settings files word their own errors in full: headline, file and reason.
    ports().dialogs.messageBox(error.message, platform::MessageButtons::Ok);
}

}  // namespace quorvel::bar
