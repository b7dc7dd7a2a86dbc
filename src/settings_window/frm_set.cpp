#include "settings_window/frm_set.h"

#include <algorithm>
#include <string>

#include "settings/stored_width.h"
#include "settings_window/frm_dir_box.h"
#include "window_api/messages.h"

namespace quorvel::settings_window {

namespace w = settings::words;

namespace {

using forms::BuiltinPicture;
using K = forms::ControlKind;
using forms::kCancelButton;
using forms::kHidden;
using forms::kReadOnly;

constexpr forms::ColorNumber kRed = 0x0000FF;
// The mock-up's slots stand closer together than the bar's.
constexpr forms::Twips kMockSlotPitch = 480;

// The selection marker under the window background, as loading and a refresh place it.
constexpr forms::Point kBackgroundMarker{600, 1200};

// Creation order is stacking order and Tab order: the background strip goes first so the items
// are drawn over it and hit before it, each label comes right before the control it names (a
// screen reader reads it with the control), and the hidden working copy comes last.
constexpr forms::ControlRow kLayout[] = {
    // The mock-up of the bar.
    {"lblSelect",
     K::Label,
     {960, 120, 7200, 240},
     "アイテムを選択(枠内をクリック)して設定してください。"},
    {"OpnBtn", K::Image, {120, 480, 345, 345}},
    {"Image1", K::Image, {480, 480, 10815, 735}},
    {"ClsBtn", K::Image, {525, 525, 225, 225}},
    {"ImgMC", K::Image, {840, 600, 480, 480}},
    {"ImgMD", K::Image, {1320, 600, 480, 480}},
    {"ImgRBinEmp", K::Image, {1800, 600, 480, 480}},
    {"ImgRBinFll", K::Image, {2280, 600, 480, 480}},
    {"Divid1", K::Image, {2760, 600, 240, 480}},
    {"IL", K::Image, {3000, 600, 480, 480}, {}, 0, {}, settings::kSlotCount, {kMockSlotPitch, 0}},
    {"LkUp", K::Image, {600, 1200, 240, 120}, {}, 0, BuiltinPicture::SelectionMarker},
    // The mock-up's items from the keyboard: the first stop of the Tab order.
    {"MockUp", K::ItemRow, {120, 480, 11175, 735}},

    // The launcher set and its names.
    {"lblRNo", K::Label, {120, 1485, 1320, 240}, "ランチャーNo："},
    {"RNo", K::ComboBox, {1440, 1440, 735, 300}, "1\n2\n3\n4"},
    {"lblNames", K::Label, {120, 1845, 600, 240}, "名前："},
    {"lblLN1", K::Label, {720, 1845, 240, 240}, "1："},
    {"LN1", K::TextBox, {960, 1800, 1800, 300}},
    {"lblLN2", K::Label, {2880, 1845, 240, 240}, "2："},
    {"LN2", K::TextBox, {3120, 1800, 1800, 300}},
    {"lblLN3", K::Label, {5040, 1845, 240, 240}, "3："},
    {"LN3", K::TextBox, {5280, 1800, 1800, 300}},
    {"lblLN4", K::Label, {7200, 1845, 240, 240}, "4："},
    {"LN4", K::TextBox, {7440, 1800, 1800, 300}},
    {"lblNameHint", K::Label, {2400, 2205, 3360, 240}, "半角20文字(全角10文字)以内"},
    {"lblNameLock",
     K::Label,
     {5880, 2205, 5400, 240},
     "注）No1以外では名前の変更はできません",
     kHidden},

    // The editors of the selected item.
    {"lblLT", K::Label, {120, 2565, 1860, 240}, "リンクの種類："},
    {"LT", K::ComboBox, {2040, 2520, 1455, 300}, "ｱﾌﾟﾘｹｰｼｮﾝ\nﾌｧｲﾙ\nﾌｫﾙﾀﾞ\nﾎｰﾑﾍﾟｰｼﾞ"},
    {"lblLN", K::Label, {120, 2925, 1860, 240}, "リンク先の名前："},
    {"LN", K::TextBox, {2040, 2880, 3255, 300}},
    {"lblLNHint", K::Label, {2040, 3195, 3600, 240}, "半角40文字(全角20文字)以内"},
    {"lblLI", K::Label, {120, 3525, 1860, 240}, "画像/アイコン："},
    {"LI", K::TextBox, {2040, 3480, 8415, 300}},
    {"Command28", K::Button, {10500, 3480, 855, 300}, "参照"},
    {"lblLP", K::Label, {120, 3885, 1860, 240}, "リンクのパス："},
    {"LP", K::TextBox, {2040, 3840, 8415, 300}},
    {"Command27", K::Button, {10500, 3840, 855, 300}, "参照"},
    {"lblLPHint", K::Label, {2040, 4155, 4560, 240}, "(ﾎｰﾑﾍﾟｰｼﾞの場合はURLを入力してください)"},
    {"cmdItmIn", K::Button, {6660, 4240, 2175, 375}, "ここにリンクを挿入"},
    {"Command12", K::Button, {8940, 4240, 2175, 375}, "このリンクを削除"},

    // Font and colour of the link names.
    {"lblFont", K::Label, {120, 4605, 600, 240}, "FONT："},
    {"lblFntName", K::Label, {720, 4605, 900, 240}, "フォント名"},
    {"FntName", K::TextBox, {1620, 4560, 2400, 300}, {}, kReadOnly},
    {"lblFStyle", K::Label, {4140, 4605, 720, 240}, "スタイル"},
    {"FStyle", K::TextBox, {4860, 4560, 1080, 300}, {}, kReadOnly},
    {"Command3", K::Button, {6000, 4560, 615, 300}, "参照"},
    {"FrColor", K::TextBox, {1620, 4920, 540, 300}, {}, kReadOnly},
    {"Command2", K::Button, {2220, 4920, 615, 300}, "参照"},
    {"lblSize", K::Label, {3000, 4965, 3480, 240}, "サイズは『9』です(変更できません)"},

    // The bar options and the screen preview.
    {"lblDockPos", K::Label, {120, 5325, 1860, 240}, "ランチャー位置："},
    {"DockPos", K::ComboBox, {1980, 5280, 1035, 300}, "上\n下"},
    {"lblTaskB", K::Label, {120, 5655, 1860, 240}, "タスクバー："},
    {"TaskB", K::ComboBox, {1980, 5610, 1035, 300}, "表示\n非表示"},
    {"lblFTop", K::Label, {120, 5985, 1860, 240}, "常に前面表示："},
    {"FTop", K::ComboBox, {1980, 5940, 1035, 300}, "する\nしない"},
    {"lblBkStrch", K::Label, {120, 6315, 1860, 240}, "背景画像の自動調整："},
    {"BkStrch", K::ComboBox, {1980, 6270, 1035, 300}, "する\nしない"},
    {"lblClr", K::Label, {120, 6645, 1860, 240}, "ウインドウの透明化："},
    {"Clr", K::ComboBox, {1980, 6600, 1035, 300}, "する\nしない"},
    {"Picture1", K::Image, {3360, 5280, 1740, 1305}, {}, 0, BuiltinPicture::PreviewScreen},
    {"Picture2", K::Image, {3360, 6465, 1740, 105}, {}, 0, BuiltinPicture::PreviewTaskbar},
    {"Image2", K::Image, {3810, 5295, 840, 105}, {}, 0, BuiltinPicture::PreviewBar},
    {"Image3", K::Image, {3810, 5295, 840, 105}, {}, 0, BuiltinPicture::PreviewBarItems},
    {"Command1", K::Button, {6840, 5880, 1935, 375}, "背景画像のクリア"},

    {"cmdReset", K::Button, {10020, 4920, 1095, 375}, "リセット"},
    {"Command22", K::Button, {10020, 5400, 1095, 375}, "保存"},
    // Escape closes the window as this button does, asking first.
    {"Command26", K::Button, {10020, 5880, 1095, 375}, "閉じる", kCancelButton},

    // The per-slot delete commands: never shown, pressed by the window itself.
    {"cmdDel", K::Command, {}, "削除", 0, {}, settings::kSlotCount},
};

// The hints the window system shows over the mock-up's items.
struct ToolTipRow {
    std::string_view control;
    std::string_view text;
};
constexpr ToolTipRow kToolTips[] = {
    {"Image1", "ウインドウ"},
    {"ImgMC", "マイ コンピュータ"},
    {"ImgMD", "マイ ドキュメント"},
    {"ImgRBinEmp", "ごみ箱（空）"},
    {"ImgRBinFll", "ごみ箱（いっぱい）"},
    {"Divid1", "セパレータ"},
    {"ClsBtn", "隠す"},
    {"OpnBtn", "切替ボタン/切替ボタン表示"},
};

}  // namespace

FrmSet::FrmSet(window_api::Windows& windows)
    : forms::Form(std::string(kFormName), windows.formServices(),
                  forms::Rect{0, 0, kWidth, kHeight}, kLayout),
      windows_(windows) {
    setStyle(forms::FormStyle::Dialog);
    setCaption(std::string(kCaption));
    for (const ToolTipRow& row : kToolTips) {
        image(row.control).setToolTip(std::string(row.text));
    }
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        IL_[n - 1]->setToolTip(settings::slotCaption(n));
    }
    lblNameLock_->setForeColor(kRed);

    const auto field = [](std::string_view name) { return settings::findField(name); };
    items_ = {{
        {"FRM", Image1_, field("txtFBk"), 0},
        {"MC", ImgMC_, field("txtMcIc"), 0},
        {"MD", ImgMD_, field("txtMdIc"), 0},
        {"RBE", ImgRBinEmp_, field("txtRbeIc"), 0},
        {"RBF", ImgRBinFll_, field("txtRbfIc"), 0},
        {"Cls", ClsBtn_, field("ClsB"), 0},
        {"Opn", OpnBtn_, field("OpnB"), 0},
        {"Sp", Divid1_, field("SepIcn"), 0},
    }};
    static constexpr std::string_view kSlotCodes[] = {"1",  "2",  "3",  "4",  "5",  "6",
                                                      "7",  "8",  "9",  "10", "11", "12",
                                                      "13", "14", "15", "16", "17"};
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        items_[kOtherItemCount - 1 + n] =
            Item{kSlotCodes[n - 1], IL_[n - 1], field("L" + std::to_string(n) + "I"), n};
    }
    editors_ = {
        {field("DockPos"), &DockPos_, nullptr}, {field("TaskB"), &TaskB_, nullptr},
        {field("FTop"), &FTop_, nullptr},       {field("BkStrch"), &BkStrch_, nullptr},
        {field("Clr"), &Clr_, nullptr},         {field("FntName"), nullptr, FntName_},
        {field("FStyle"), nullptr, FStyle_},    {field("FrColor"), nullptr, FrColor_},
        {field("LN1"), nullptr, LN_[0]},        {field("LN2"), nullptr, LN_[1]},
        {field("LN3"), nullptr, LN_[2]},        {field("LN4"), nullptr, LN_[3]},
    };

    // Every item starts without a picture of its own, and so framed; a picture path
    // loaded into it takes the frame away.
    for (const Item& item : items_) {
        item.image->setBorderStyle(1);
    }
    wireHandlers();
    wireMockUp();
    Form_Load();
    announce();
}

// Left and Right choose the next item of the mock-up as a click on it does, in the order they
// stand: the switch button, the window, the close button, the fixed items, the separator and
// the slots.
void FrmSet::wireMockUp() {
    static constexpr std::string_view kOrder[] = {"Opn", "FRM", "Cls", "MC",
                                                  "MD",  "RBE", "RBF", "Sp"};
    std::vector<const Item*> order;
    for (std::string_view code : kOrder) {
        order.push_back(itemOf(code));
    }
    for (std::size_t i = kOtherItemCount; i < items_.size(); ++i) {
        order.push_back(&items_[i]);
    }
    std::vector<forms::RowItem> rowItems;
    for (const Item* item : order) {
        forms::Image* image = item->image;
        rowItems.push_back(
            forms::RowItem{[image] { return image; }, [image] { return image->toolTip(); }, {}});
    }
    MockUp_->setAccessibleName(std::string(kMockUpName));
    MockUp_->setItems(std::move(rowItems));
    MockUp_->onMove = [this] {
        if (const std::optional<std::size_t> at = MockUp_->current()) {
            MockUp_->press(*at, forms::MouseButton::Left);
        }
    };
}

void FrmSet::followSelection() {
    if (const Item* item = itemOf(txtDBtn_)) {
        if (const std::optional<std::size_t> at = MockUp_->indexOf(*item->image)) {
            MockUp_->setCurrent(*at);
        }
    }
}

FrmSet::~FrmSet() = default;

platform::Ports& FrmSet::ports() const noexcept {
    return windows_.ports();
}

const settings::SettingsModel& FrmSet::bar() const {
    return windows_.bar().settings();
}

OptionList& FrmSet::option(std::string_view name) {
    for (OptionList* list : {&RNo_, &LT_, &DockPos_, &TaskB_, &FTop_, &BkStrch_, &Clr_}) {
        if (list->box().name() == name) {
            return *list;
        }
    }
    throw std::logic_error("frmSet has no option list " + std::string(name));
}

bool FrmSet::ask(std::string_view first, std::string_view second) {
    std::string text(first);
    text.append(messages::kLineBreak).append(second);
    return ports().dialogs.messageBox(text, platform::MessageButtons::YesNo) ==
           platform::MessageAnswer::Yes;
}

void FrmSet::wireHandlers() {
    for (const Item& item : items_) {
        const Item* it = &item;
        item.image->events.onClick = [this, it] {
            if (it->slot != 0) {
                selectSlot(it->slot);
            } else {
                selectItem(*it);
            }
        };
    }
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        cmdDel_[n - 1]->onClick = [this, n] { cmdDel_Click(n); };
    }
    // What a person types stops where the stored field ends, so no name loses its end on saving.
    for (forms::TextBox* name : LN_) {
        name->fitTyped = [width = settings::storedWidth("LN1")](std::string text) {
            return settings::fitStoredWidth(text, width);
        };
        // The names are saved with the set like every other edit, so they count as one.
        name->onChange = [this] { markUnsaved(); };
    }
    LNEdit_->fitTyped = [width = settings::storedWidth("L1N")](std::string text) {
        return settings::fitStoredWidth(text, width);
    };
    for (forms::TextBox* path : {LI_, LP_}) {
        path->fitTyped = [width = settings::storedWidth("L1P")](std::string text) {
            return settings::fitStoredWidth(text, width);
        };
    }

    RNo_.onChosen = [this] { RNo_Click(); };
    LT_.onChange = [this] { LT_Change(); };
    LNEdit_->onChange = [this] { LN_Change(); };
    LI_->onChange = [this] { LI_Change(); };
    LP_->onChange = [this] { LP_Change(); };
    Command28_->onClick = [this] { ChoosePicture(); };
    Command27_->onClick = [this] { Command27_Click(); };
    cmdItmIn_->onClick = [this] { cmdItmIn_Click(); };
    Command12_->onClick = [this] { Command12_Click(); };

    FntName_->onChange = [this] { markUnsaved(); };
    FStyle_->onChange = [this] { markUnsaved(); };
    FrColor_->onChange = [this] { FrColor_Change(); };
    Command3_->onClick = [this] { Command3_Click(); };
    Command2_->onClick = [this] { Command2_Click(); };
    DockPos_.onChange = [this] { DockPos_Change(); };
    TaskB_.onChange = [this] { TaskB_Change(); };
    FTop_.onChange = [this] { FTop_Change(); };
    // The stretch is saved like every other option, so changing it is an edit too.
    BkStrch_.onChange = [this] { markUnsaved(); };
    Clr_.onChange = [this] { Clr_Change(); };
    Command1_->onClick = [this] { Command1_Click(); };

    cmdReset_->onClick = [this] { Reset(); };
    Command22_->onClick = [this] { (void)Command22_Click(); };
    Command26_->onClick = [this] { Command26_Click(); };
    // The close box used to drop unsaved edits without a word; it asks like "閉じる".
    onCloseRequest = [this] { Command26_Click(); };
}

void FrmSet::Form_Load() {
    const platform::Ports& p = ports();
    setHeight(kHeight);
    setWidth(kWidth);
    // Centred as the whole window, title bar and frame included; on a screen smaller than the
    // window (a small screen at a high DPI) its corner stays on the screen.
    const forms::Point at = forms::centredIn(p.screen.bounds(), windowSize());
    setTop(at.y);
    setLeft(at.x);

    const settings::SettingsModel& b = bar();
    // The set chosen from the menu is used up by this window, whichever number it takes.
    const std::string menuChoice = windows_.bar().takeMenuSetChoice();
    if (!b.RNo.empty()) {
        RNo_.set(b.RNo);
    } else if (menuChoice.empty()) {
        RNo_.set("1");
        cmdReset_->setEnabled(false);
    } else {
        RNo_.set(menuChoice);
    }
    shownSet_ = RNo_.value();
    setUnread_ = windows_.bar().setUnread();
    copyFrom(b);
    InitSettingsView();
}

void FrmSet::loadPicture(forms::Image& image, const std::string& path) {
    if (path.empty()) {
        image.clearPicture();
        return;
    }
    forms::PictureRef picture = ports().pictures.load(path);
    image.setPicture(picture);
    if (!picture) {
        // A file that is missing or no picture shows as an empty framed box: the item can
        // still be seen and clicked, and nothing interrupts the person with a message.
        image.setBorderStyle(1);
    }
}

void FrmSet::InitSettingsView() {
    for (const Item& item : items_) {
        loadPicture(*item.image, value(*item.picture));
    }
    applyBackgroundStretch();

    if (FTop_.value().empty()) {
        FTop_.set(std::string(w::kYes));
    }
    if (Clr_.value().empty()) {
        Clr_.set(std::string(w::kNo));
    }
    if (Clr_.value() == w::kYes) {
        Image2_->setVisible(false);
    }

    selectBackground(kBackgroundMarker);

    if (DockPos_.value() == w::kTop) {
        PlaceBarPreview();
    }
    ShowTaskbarPreview();
    setSaved(true);
}

void FrmSet::RefreshSettingsView() {
    for (const Item& item : items_) {
        const std::string path = value(*item.picture);
        if (item.slot != 0) {
            loadPicture(*item.image, path);
        } else if (item.image != Divid1_ && !path.empty()) {
            loadPicture(*item.image, path);
        }
    }
    if (!working_.SepIcn.empty()) {
        loadPicture(*Divid1_, working_.SepIcn);
    }

    if (justInserted_) {
        LT_.set("");
        LNEdit_->setText("");
        LI_->setText("");
        LP_->setText("");
        justInserted_ = false;
        return;
    }

    applyBackgroundStretch();
    if (Clr_.value() == w::kYes) {
        Image2_->setVisible(false);
    }

    if (const std::optional<int> n = selectedSlot()) {
        using G = settings::FieldGroup;
        LT_.set(slotValue(*n, G::SlotType));
        LNEdit_->setText(slotValue(*n, G::SlotName));
        LI_->setText(slotValue(*n, G::SlotPicture));
        LP_->setText(slotValue(*n, G::SlotPath));
        return;
    }
    selectBackground(kBackgroundMarker);
    PlaceBarPreview();
    ShowTaskbarPreview();
}

void FrmSet::selectBackground(forms::Point marker) {
    txtDBtn_ = "FRM";
    followSelection();
    LkUp_->move(marker.x, marker.y);
    LNEdit_->setText("ウインドウの背景");
    showEditors(EditorState::Background);
    LI_->setText(working_.txtFBk);
}

void FrmSet::setSaved(bool saved) {
    if (saved == saved_) {
        return;
    }
    saved_ = saved;
    // There is something to revert exactly while the window holds unsaved edits.
    cmdReset_->setEnabled(!saved_);
}

std::string FrmSet::field(std::string_view name) const {
    if (const settings::FieldLayout* stored = settings::findField(name)) {
        if (stored->group == settings::FieldGroup::SetNumber) {
            return RNo_.value();
        }
        return value(*stored);
    }
    if (name == "LT") {
        return LT_.value();
    }
    if (name == "txtCDir") {
        return working_.txtCDir;
    }
    if (name == "SvChk") {
        return saved_ ? "1" : "";
    }
    if (name == "txtDBtn") {
        return txtDBtn_;
    }
    if (name == "txtDIn") {
        return justInserted_ ? "1" : "";
    }
    throw std::logic_error("frmSet has no field " + std::string(name));
}

void FrmSet::Command26_Click() {
    if (!saved_) {
        if (ask(messages::kNotSaved, messages::kSaveQuestion)) {
            (void)Command22_Click();
        } else {
            unload();
            return;
        }
    }
    // A save that failed keeps the window open with the edits.
    if (saved_) {
        unload();
    }
}

void FrmSet::closeFolderChooser() {
    if (chooser_) {
        windows_.retire(std::move(chooser_));
    }
}

void FrmSet::unload() {
    closeFolderChooser();
    windows_.unloadSettingsWindow();
}

}  // namespace quorvel::settings_window
