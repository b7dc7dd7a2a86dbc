#include "settings_window/frm_dir_box.h"

#include <cctype>
#include <utility>

#include "settings_window/frm_set.h"
#include "window_api/messages.h"

namespace quorvel::settings_window {

namespace {

using K = forms::ControlKind;

// Creation order is Tab order: the path, キャンセル, OK, the drives, the folders.
constexpr forms::ControlRow kLayout[] = {
    {"txtFldrPas", K::TextBox, {120, 240, 4695, 270}},
    {"cmdCnl", K::Button, {3840, 4320, 975, 375}, "キャンセル", forms::kCancelButton},
    {"cmdOK", K::Button, {2640, 4320, 975, 375}, "OK", forms::kDefaultButton},
    {"Drive1", K::ComboBox, {120, 720, 4695, 300}},
    {"Dir1", K::ListBox, {120, 1200, 4695, 3030}},
};

constexpr std::string_view kIndent = "  ";
constexpr char kSeparator = '\\';

bool sameLetter(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) ==
           std::toupper(static_cast<unsigned char>(b));
}

// "C:\a\b" -> {"C:\", "C:\a", "C:\a\b"}; a drive root is its own only ancestor.
std::vector<std::string> ancestorsOf(const std::string& path) {
    std::vector<std::string> chain;
    const std::size_t rootEnd = path.find(kSeparator);
    if (rootEnd == std::string::npos) {
        chain.push_back(path + kSeparator);
        return chain;
    }
    chain.push_back(path.substr(0, rootEnd + 1));
    std::size_t from = rootEnd + 1;
    while (from < path.size()) {
        std::size_t end = path.find(kSeparator, from);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > from) {
            chain.push_back(path.substr(0, end));
        }
        from = end + 1;
    }
    return chain;
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(kSeparator);
    return slash == std::string::npos || slash + 1 == path.size() ? path : path.substr(slash + 1);
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.back() == kSeparator ? folder + name : folder + kSeparator + name;
}

std::string indent(std::size_t depth) {
    std::string text;
    for (std::size_t i = 0; i < depth; ++i) {
        text += kIndent;
    }
    return text;
}

}  // namespace

FrmDirBox::FrmDirBox(window_api::Windows& windows, FrmSet& owner)
    : forms::Form(std::string(kFormName), windows.formServices(),
                  forms::Rect{0, 0, kWidth, kHeight}, kLayout),
      windows_(windows),
      owner_(owner) {
    setStyle(forms::FormStyle::Dialog);
    setCaption(std::string(kCaption));
    Form_Load();
    announce();
}

int FrmDirBox::driveIndexOf(const std::string& path) const {
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        const std::string& root = drives_[i].root;
        if (!root.empty() && !path.empty() && sameLetter(root.front(), path.front()) &&
            path.size() >= 2 && path[1] == ':') {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void FrmDirBox::Form_Load() {
    platform::Ports& ports = windows_.ports();
    const forms::Rect screen = ports.screen.bounds();
    setLeft(screen.left + screen.width / 6);
    setTop(screen.top + screen.height / 7);

    // The lists start where the program was started, as the classic lists do.
    drives_ = ports.folders.drives();
    std::vector<std::string> captions;
    captions.reserve(drives_.size());
    for (const platform::Drive& d : drives_) {
        captions.push_back(d.caption);
    }
    Drive1_->setItems(std::move(captions));
    const std::string current = ports.identity.currentDirectory();
    drive_ = driveIndexOf(current);
    Drive1_->setListIndex(drive_);
    openFolder(current);

    Drive1_->onClick = [this] { Drive1_Change(); };
    Dir1_->onClick = [this] { Dir1_Click(); };
    Dir1_->onDblClick = [this] { Dir1_DblClick(); };
    cmdOK_->onClick = [this] { cmdOK_Click(); };
    cmdCnl_->onClick = [this] { cmdCnl_Click(); };
    onCloseRequest = [this] { cmdCnl_Click(); };

    if (const int c = driveIndexOf("c:\\"); c >= 0) {
        Drive1_->setListIndex(c);
    }
    txtFldrPas_->setText(drive_ >= 0 ? drives_[static_cast<std::size_t>(drive_)].root : "");
}

void FrmDirBox::openFor(std::string slot) {
    slot_ = std::move(slot);
    show();
    bringToFront();
}

void FrmDirBox::openFolder(const std::string& path) {
    std::vector<std::string> items;
    entryPaths_.clear();
    const std::vector<std::string> chain = ancestorsOf(path);
    for (std::size_t depth = 0; depth < chain.size(); ++depth) {
        entryPaths_.push_back(chain[depth]);
        items.push_back(indent(depth) + (depth == 0 ? chain[depth] : nameOf(chain[depth])));
    }
    folder_ = chain.back();
    // A folder that cannot be listed (no rights) shows its ancestors only.
    const auto inside = windows_.ports().folders.subfolders(folder_);
    if (inside) {
        for (const std::string& name : inside.value()) {
            entryPaths_.push_back(joined(folder_, name));
            items.push_back(indent(chain.size()) + name);
        }
    }
    Dir1_->setItems(std::move(items));
}

void FrmDirBox::Drive1_Change() {
    if (restoringDrive_) {
        return;
    }
    const int chosen = Drive1_->listIndex();
    if (chosen < 0) {
        return;
    }
    const platform::Drive& drive = drives_[static_cast<std::size_t>(chosen)];
    platform::Ports& ports = windows_.ports();
    if (!ports.folders.driveReady(drive.root)) {
        // An empty card reader or disc drive is no error: the person is told, and the list
        // stays on the drive it showed.
        std::string text(messages::kDriveNotReady);
        text.append(messages::kLineBreak).append(drive.caption);
        text.append(messages::kLineBreak).append(messages::kInsertMedium);
        ports.dialogs.messageBox(text, platform::MessageButtons::Ok);
        restoringDrive_ = true;
        Drive1_->setListIndex(drive_);
        restoringDrive_ = false;
        return;
    }
    drive_ = chosen;
    openFolder(drive.root);
    txtFldrPas_->setText(drive.root);
}

void FrmDirBox::Dir1_Click() {
    const int i = Dir1_->listIndex();
    if (i >= 0 && static_cast<std::size_t>(i) < entryPaths_.size()) {
        txtFldrPas_->setText(entryPaths_[static_cast<std::size_t>(i)]);
    }
}

void FrmDirBox::Dir1_DblClick() {
    const int i = Dir1_->listIndex();
    if (i >= 0 && static_cast<std::size_t>(i) < entryPaths_.size()) {
        const std::string path = entryPaths_[static_cast<std::size_t>(i)];
        openFolder(path);
        txtFldrPas_->setText(path);
    }
}

void FrmDirBox::cmdOK_Click() {
    owner_.folderChosen(slot_, txtFldrPas_->text());
    owner_.closeFolderChooser();
}

void FrmDirBox::cmdCnl_Click() {
    owner_.closeFolderChooser();
}

}  // namespace quorvel::settings_window
