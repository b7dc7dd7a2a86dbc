#include <string>

#include "settings/picture_filter.h"
#include "settings_window/frm_set.h"

namespace quorvel::settings_window {

namespace w = settings::words;

namespace {

using settings::kAllPicturesFilter;
using settings::kIconFilter;
using settings::kPictureFilter;

// The bar shows the link names at this size; the dialog starts on the program's own face.
constexpr int kNameSizePt = 9;

// Where the bar sits in the miniature screen (offsets within Picture1): at the top, or at the
// bottom above a shown or a hidden taskbar.
constexpr forms::Twips kPreviewTop = 15;
constexpr forms::Twips kPreviewAboveTaskbar = 1050;
constexpr forms::Twips kPreviewAtBottom = 1150;

std::string_view styleWord(bool bold, bool italic) {
    if (bold && italic) {
        return w::kBoldItalic;
    }
    if (bold) {
        return w::kBold;
    }
    return italic ? w::kItalic : w::kRegular;
}

// A colour held as decimal text; negative numbers are system colours, taken bit for bit.
forms::ColorNumber colourOf(const std::string& text) {
    return static_cast<forms::ColorNumber>(settings::toInt32(text));
}

}  // namespace

const FrmSet::Item* FrmSet::itemOf(std::string_view code) const {
    for (const Item& item : items_) {
        if (item.code == code) {
            return &item;
        }
    }
    return nullptr;
}

const FrmSet::Item* FrmSet::itemShowing(const settings::FieldLayout& picture) const {
    for (const Item& item : items_) {
        if (item.picture == &picture) {
            return &item;
        }
    }
    return nullptr;
}

void FrmSet::ChoosePicture() {
    platform::OpenFileRequest request;
    request.filter = std::string(kPictureFilter);
    request.filterIndex = txtDBtn_ == "FRM" ? kAllPicturesFilter : kIconFilter;
    request.initialFolder = bar().txtCDir;
    const std::optional<std::string> file = ports().dialogs.openFile(request);
    if (!file || file->empty()) {
        return;
    }
    if (const Item* item = itemOf(txtDBtn_)) {
        LI_->setText(*file);
        loadPicture(*item->image, *file);
    }
}

void FrmSet::picture_Change(const Item& item) {
    // An item without a picture of its own shows as a framed empty box.
    item.image->setBorderStyle(value(*item.picture).empty() ? 1 : 0);
    markUnsaved();
}

void FrmSet::txtFBk_Change() {
    if (!working_.txtFBk.empty()) {
        Image1_->setBorderStyle(0);
        Image2_->setVisible(true);
    } else {
        Image1_->clearPicture();
        if (Clr_.value() == w::kYes) {
            Image2_->setVisible(false);
        }
        Image1_->setBorderStyle(1);
    }
    markUnsaved();
}

void FrmSet::Command1_Click() {
    setValue(*settings::findField("txtFBk"), "");
    if (txtDBtn_ == "FRM") {
        LI_->setText("");
    }
    if (Clr_.value() == w::kYes) {
        Image2_->setVisible(false);
    }
    BkStrch_.set(std::string(w::kNo));
}

void FrmSet::Command3_Click() {
    const platform::FontChoice preset{std::string(w::kDefaultFont), kNameSizePt, false, false};
    const std::optional<platform::FontChoice> chosen = ports().dialogs.chooseFont(preset);
    // A cancelled dialog (or one that could not be shown) leaves the font as it was, also a
    // font chosen earlier in this window and not yet saved.
    if (!chosen) {
        return;
    }
    FntName_->setText(chosen->name);
    FStyle_->setText(std::string(styleWord(chosen->bold, chosen->italic)));
}

void FrmSet::Command2_Click() {
    const std::optional<forms::ColorNumber> chosen =
        ports().dialogs.chooseColor(colourOf(FrColor_->text()));
    if (!chosen) {
        return;
    }
    FrColor_->setText(std::to_string(*chosen));
}

void FrmSet::FrColor_Change() {
    // The field shows as a plain swatch of its colour.
    const forms::ColorNumber colour = colourOf(FrColor_->text());
    FrColor_->setBackColor(colour);
    FrColor_->setForeColor(colour);
    markUnsaved();
}

void FrmSet::DockPos_Change() {
    markUnsaved();
    PlaceBarPreview();
}

void FrmSet::TaskB_Change() {
    markUnsaved();
    ShowTaskbarPreview();
}

void FrmSet::FTop_Change() {
    markUnsaved();
}

void FrmSet::Clr_Change() {
    if (!working_.txtFBk.empty()) {
        Command1_->setEnabled(true);
    }
    ShowTransparency();
    markUnsaved();
}

void FrmSet::applyBackgroundStretch() {
    if (BkStrch_.value().empty()) {
        BkStrch_.set(std::string(w::kYes));
    }
    Image1_->setStretch(BkStrch_.value() == w::kYes);
}

void FrmSet::ShowTransparency() {
    Image2_->setVisible(Clr_.value() != w::kYes);
}

void FrmSet::moveBarPreview(forms::Twips top) {
    Image2_->setTop(Picture1_->top() + top);
    Image3_->setTop(Picture1_->top() + top);
}

void FrmSet::PlaceBarPreview() {
    if (DockPos_.value() == w::kTop) {
        moveBarPreview(kPreviewTop);
    } else if (DockPos_.value() == w::kBottom) {
        moveBarPreview(TaskB_.value() == w::kHidden ? kPreviewAtBottom : kPreviewAboveTaskbar);
    }
}

void FrmSet::ShowTaskbarPreview() {
    if (TaskB_.value() == w::kShown) {
        Picture2_->setVisible(true);
        if (DockPos_.value() == w::kBottom) {
            moveBarPreview(kPreviewAboveTaskbar);
        }
    } else if (TaskB_.value() == w::kHidden) {
        Picture2_->setVisible(false);
        if (DockPos_.value() == w::kBottom) {
            moveBarPreview(kPreviewAtBottom);
        }
    }
}

}  // namespace quorvel::settings_window
