#include "bar/dock.h"

#include <string>

#include "bar/dock_geometry.h"
#include "window_api/storage_message.h"

namespace quorvel::bar {

namespace g = geometry;

namespace {

using forms::BuiltinPicture;
using K = forms::ControlKind;

// Creation order is stacking order: the backgrounds go first so every item is drawn over
// them, and each default-picture image follows its item so that, when placed over it, the
// built-in picture is what the user sees and what the pointer hits. Separators come after the
// slots so one that overlaps a slot's edge stays on top.
constexpr forms::ControlRow kLayout[] = {
    {"IFBk", K::Image, g::kBackground},
    {"FBKD", K::Image, g::kBackgroundParked, {}, 0, BuiltinPicture::Background},
    {"ClsBtn", K::Image, g::kCloseButton},
    {"ClsD", K::Image, g::kCloseParked, {}, 0, BuiltinPicture::CloseButton},
    {"TaskBDwn", K::Image, g::kTaskbarButton, {}, 0, BuiltinPicture::TaskbarDown},
    {"TaskBUp", K::Image, g::kTaskbarButton, {}, forms::kHidden, BuiltinPicture::TaskbarUp},
    {"ImgMC", K::Image, g::kMyComputer},
    {"MCD", K::Image, g::kMyComputerParked, {}, 0, BuiltinPicture::MyComputer},
    {"ImgMD", K::Image, g::kMyDocuments},
    {"MDD", K::Image, g::kMyDocumentsParked, {}, 0, BuiltinPicture::MyDocuments},
    {"ImgRBinEmp", K::Image, g::kRecycleBin},
    {"RBED", K::Image, g::kRecycleBinEmptyParked, {}, 0, BuiltinPicture::RecycleBinEmpty},
    // The full bin's picture keeps its own size: it is drawn from the item's corner.
    {"ImgRBinFll", K::Image, g::kRecycleBin, {}, forms::kUnstretched},
    {"RBFD", K::Image, g::kRecycleBinFullParked, {}, 0, BuiltinPicture::RecycleBinFull},
    {"Divid1", K::Image, g::kDivider},
    {"DivD", K::Image, g::kDividerParked, {}, 0, BuiltinPicture::Divider},
    {"IL", K::Image, g::slotRect(1), {}, 0, {}, settings::kSlotCount, {g::kSlotPitch, 0}},
    {"Sep",
     K::Image,
     g::separatorRect(1),
     {},
     forms::kHidden,
     {},
     settings::kSeparatorCount,
     {g::kSlotPitch, 0}},
    {"txtRBin", K::TextField},
    {"txtSvSw", K::TextField},
    {"tmeRBin", K::Timer},
    {"tmeScreen", K::Timer},    // measures the taskbar again after a change of the screen
    {"tmeNewLinks", K::Timer},  // flashes the links a drop added
    {"Timer", K::Timer, {}, {}, 0, {}, 4},  // the four steps of the click flash
    // The items as the keyboard and screen readers know them; the window's own focus.
    {"Items", K::ItemRow, g::kBackground, {}, forms::kWholeWindow},
};

}  // namespace

Dock::Dock(window_api::Windows& windows)
    : forms::Form(std::string(kFormName), windows.formServices(),
                  forms::Rect{0, 0, g::kBarDesignWidth, g::kBarHeight}, kLayout),
      windows_(windows) {
    wireHandlers();
    wireHover();
    wirePointer();
    wireKeyboard();
    announce();
}

Dock::~Dock() {
    // The system keeps reporting the bin's changes to whoever asked; not to a bar that is gone.
    ports().shell.watchRecycleBin({});
}

platform::Ports& Dock::ports() const noexcept {
    return windows_.ports();
}

void Dock::wireHandlers() {
    txtSvSw_->onChange = [this] { txtSvSw_Change(); };
    tmeRBin_->onTimer = [this] { tmeRBin_Timer(); };
    tmeScreen_->onTimer = [this] { tmeScreen_Timer(); };
    tmeNewLinks_->onTimer = [this] { tmeNewLinks_Timer(); };
    txtRBin_->onChange = [this] { txtRBin_Change(); };
    Timer_[0]->onTimer = [this] { Timer1_Timer(); };
    Timer_[1]->onTimer = [this] { Timer2_Timer(); };
    Timer_[2]->onTimer = [this] { Timer3_Timer(); };
    Timer_[3]->onTimer = [this] { Timer4_Timer(); };
    TaskBDwn_->events.onClick = [this] { TaskBDwn_Click(); };
    TaskBUp_->events.onClick = [this] { TaskBUp_Click(); };
    ClsBtn_->events.onClick = [this] { ClsBtn_Click(); };
    ClsD_->events.onClick = [this] { ClsBtn_Click(); };
}

void Dock::txtSvSw_Change() {
    // Any window that cannot reach the restart command directly asks for one through this
    // field; an emptied field is only the request being reset.
    if (!txtSvSw_->text().empty()) {
        cmdReStart();
    }
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

void Dock::report(const settings::StorageError& error) {
    ports().dialogs.messageBox(window_api::storageMessage(error), platform::MessageButtons::Ok);
}

}  // namespace quorvel::bar
