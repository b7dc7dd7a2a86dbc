#include <string>

#include "settings_window/frm_dir_box.h"
#include "settings_window/frm_set.h"
#include "window_api/messages.h"

namespace quorvel::settings_window {

namespace w = settings::words;
using G = settings::FieldGroup;

namespace {

// What selecting each item that is not a link slot does: where the marker goes and the name the
// name editor shows.
struct Selection {
    std::string_view code;
    forms::Point marker;
    std::string_view name;
};
constexpr Selection kSelections[] = {
    {"FRM", {480, 1200}, "ウインドウの背景"},
    {"MC", {840 + 120, 1080}, "マイ コンピュータ"},
    {"MD", {1320 + 120, 1080}, "マイ ドキュメント"},
    {"RBE", {1800 + 120, 1080}, "ごみ箱（空）"},
    {"RBF", {2280 + 120, 1080}, "ごみ箱（いっぱい）"},
    {"Cls", {510, 720}, "隠す"},
    {"Opn", {150, 840}, "開く"},
    {"Sp", {2760, 1080}, "セパレータ"},
};

// The marker sits under the middle of a 480-twip item.
constexpr forms::Twips kMarkerInset = 120;
constexpr forms::Twips kMarkerTop = 1080;

// My Computer in the shell's namespace: link targets are picked starting from the drives.
constexpr std::string_view kMyComputer = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr std::string_view kAllFilesFilter = "すべてのファイル (*.*)|*.*|";

}  // namespace

std::optional<int> FrmSet::selectedSlot() const {
    for (const Item& item : items_) {
        if (item.slot != 0 && item.code == txtDBtn_) {
            return item.slot;
        }
    }
    return std::nullopt;
}

void FrmSet::selectSlot(int n) {
    forms::Image& image = *IL_[n - 1];
    txtDBtn_ = std::to_string(n);
    followSelection();
    LkUp_->move(image.left() + kMarkerInset, kMarkerTop);
    showEditors(EditorState::Link);
    LT_.set(slotValue(n, G::SlotType));
    LNEdit_->setText(slotValue(n, G::SlotName));
    LI_->setText(slotValue(n, G::SlotPicture));
    LP_->setText(slotValue(n, G::SlotPath));
}

void FrmSet::selectItem(const Item& item) {
    for (const Selection& s : kSelections) {
        if (s.code != item.code) {
            continue;
        }
        txtDBtn_ = std::string(s.code);
        followSelection();
        LkUp_->move(s.marker.x, s.marker.y);
        LNEdit_->setText(std::string(s.name));
        showEditors(item.picture->name == "txtFBk" ? EditorState::Background : EditorState::Item);
        LI_->setText(value(*item.picture));
        return;
    }
}

void FrmSet::showEditors(EditorState state) {
    const bool link = state == EditorState::Link;
    const bool background = state == EditorState::Background;
    Command1_->setVisible(background);
    if (!link) {
        LT_.set("");
        LP_->setText("");
    }
    LT_.box().setEnabled(link);
    LNEdit_->setEnabled(link);
    LP_->setEnabled(link);
    for (forms::Button* b : {Command12_, Command27_, cmdItmIn_}) {
        b->setVisible(link);
    }
    for (forms::ComboBox* option : {&FTop_.box(), &BkStrch_.box(), &Clr_.box()}) {
        option->setVisible(background);
    }
    for (forms::Label* caption : backgroundOptionLabels_) {
        caption->setVisible(background);
    }
}

void FrmSet::LN_Change() {
    if (const std::optional<int> n = selectedSlot()) {
        setSlotValue(*n, G::SlotName, LNEdit_->text());
    }
}

void FrmSet::LP_Change() {
    if (const std::optional<int> n = selectedSlot()) {
        setSlotValue(*n, G::SlotPath, LP_->text());
    }
}

void FrmSet::LT_Change() {
    if (const std::optional<int> n = selectedSlot()) {
        setSlotValue(*n, G::SlotType, LT_.value());
    }
}

void FrmSet::LI_Change() {
    if (const Item* item = itemOf(txtDBtn_)) {
        setValue(*item->picture, LI_->text());
    }
}

void FrmSet::Command27_Click() {
    const std::string& type = LT_.value();
    if (type.empty()) {
        ports().dialogs.beep();
        ports().dialogs.messageBox(std::string(messages::kChooseLinkType),
                                   platform::MessageButtons::Ok);
    } else if (type == w::kHomePage) {
        ports().dialogs.beep();
        ports().dialogs.messageBox(std::string(messages::kEnterUrl), platform::MessageButtons::Ok);
    } else if (type == w::kFolder) {
        // One chooser at most: asking again brings it forward for the slot selected now.
        if (!chooser_) {
            chooser_ = std::make_unique<FrmDirBox>(windows_, *this);
        }
        chooser_->openFor(txtDBtn_);
    } else if (type == w::kApplication || type == w::kFile) {
        ChooseTarget();
    }
}

void FrmSet::ChooseTarget() {
    platform::OpenFileRequest request;
    request.filter = std::string(kAllFilesFilter);
    request.filterIndex = 1;
    request.initialFolder = std::string(kMyComputer);
    const std::optional<std::string> file = ports().dialogs.openFile(request);
    if (!file || file->empty()) {
        return;
    }
    if (const std::optional<int> n = selectedSlot()) {
        setSlotValue(*n, G::SlotPath, *file);
        LP_->setText(*file);
    }
}

void FrmSet::folderChosen(const std::string& slot, const std::string& path) {
    for (const Item& item : items_) {
        if (item.slot == 0 || item.code != slot) {
            continue;
        }
        setSlotValue(item.slot, G::SlotPath, path);
        // The path editor shows the selected slot: it takes the folder only while that is still
        // the slot the chooser was opened for, or it would write the folder into another slot.
        if (txtDBtn_ == slot) {
            LP_->setText(path);
        }
    }
}

void FrmSet::Command12_Click() {
    if (const std::optional<int> k = selectedSlot()) {
        cmdDel_[*k - 1]->press();
    }
}

void FrmSet::cmdDel_Click(int k) {
    for (int j = k; j <= settings::kSlotCount - 1; ++j) {
        PullUpSlot(j);
    }
    emptySlot(settings::kSlotCount);
    RefreshSettingsView();
}

// Slot fields move name, picture, path, then type, as the deletion has always moved them.
void FrmSet::copySlot(int from, int to) {
    for (G kind : {G::SlotName, G::SlotPicture, G::SlotPath, G::SlotType}) {
        setSlotValue(to, kind, slotValue(from, kind));
    }
}

void FrmSet::emptySlot(int n) {
    for (G kind : {G::SlotName, G::SlotPicture, G::SlotPath, G::SlotType}) {
        setSlotValue(n, kind, "");
    }
}

void FrmSet::PullUpSlot(int j) {
    copySlot(j + 1, j);
    if (j == settings::kSlotCount - 1) {
        emptySlot(settings::kSlotCount);
        return;
    }
    // A slot whose follower has no name is the last one in use; the later steps overwrite this
    // when there are more.
    if (slotValue(j + 2, G::SlotName).empty()) {
        emptySlot(j + 1);
    }
}

void FrmSet::cmdItmIn_Click() {
    if (ConfirmInsert()) {
        InsertSlot();
    }
}

bool FrmSet::ConfirmInsert() {
    if (slotValue(settings::kSlotCount, G::SlotPath).empty()) {
        return true;
    }
    return ask(messages::kSlot17WillBeDeleted, messages::kAreYouSure);
}

void FrmSet::InsertSlot() {
    const std::optional<int> k = selectedSlot();
    if (!k) {
        return;
    }
    // The insertion moves type, name, picture, then path.
    constexpr G kInsertOrder[] = {G::SlotType, G::SlotName, G::SlotPicture, G::SlotPath};
    for (int j = settings::kSlotCount - 1; j >= *k; --j) {
        for (G kind : kInsertOrder) {
            setSlotValue(j + 1, kind, slotValue(j, kind));
        }
    }
    for (G kind : kInsertOrder) {
        setSlotValue(*k, kind, "");
    }
    justInserted_ = true;
    RefreshSettingsView();
}

}  // namespace quorvel::settings_window
