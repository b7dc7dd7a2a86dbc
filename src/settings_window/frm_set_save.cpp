#include <string>

#include "settings/bar_dimensions.h"
#include "settings/messages.h"
#include "settings/settings_files.h"
#include "settings/stored_width.h"
#include "settings_window/field_captions.h"
#include "settings_window/frm_set.h"

namespace quorvel::settings_window {

namespace w = settings::words;

std::array<std::string, settings::kSeparatorCount> FrmSet::separatorsOfSet(
    int set, const settings::SettingsModel& b) {
    if (settings::toInt16(b.RNo) == set) {
        return b.SE;
    }
    // The bar was switched to another set (from the menu or the panel) while this window stayed
    // on its own: that set's separators must not move into this one. The separators are saved
    // as soon as they are toggled, so the stored record holds this set's own.
    std::array<std::string, settings::kSeparatorCount> flags{};
    settings::SettingsFiles files(ports().files, txtCDir_->text(), b.txtUsr);
    const auto count = files.countSets();
    if (!count || set < 1 || set > count.value()) {
        return flags;
    }
    const auto record = files.readSet(set);
    if (!record) {
        return flags;
    }
    for (std::size_t k = 0; k < flags.size(); ++k) {
        flags[k] = settings::trimRight(record.value().SE[k]);
    }
    return flags;
}

settings::SettingsModel FrmSet::recordToSave(const settings::SettingsModel& b) const {
    settings::SettingsModel r;
    r.DockPos = DockPos_.value();
    r.TaskB = TaskB_.value();
    r.FntName = FntName_->text();
    r.FStyle = FStyle_->text();
    r.FrColor = FrColor_->text();
    r.RNo = RNo_.value();
    r.FTop = FTop_.value();
    r.Clr = Clr_.value();
    r.txtMcIc = txtMcIc_->text();
    r.txtMdIc = txtMdIc_->text();
    r.txtRbeIc = txtRbeIc_->text();
    r.txtRbfIc = txtRbfIc_->text();
    r.ClsB = ClsB_->text();
    r.OpnB = OpnB_->text();
    r.SepIcn = SepIcn_->text();
    r.BkStrch = BkStrch_.value();
    r.txtFBk = txtFBk_->text();
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        settings::LinkSlot& slot = r.L[n - 1];
        slot.T = LTField_[n - 1]->text();
        slot.N = LNField_[n - 1]->text();
        slot.I = LIField_[n - 1]->text();
        slot.P = LPField_[n - 1]->text();
    }
    for (int k = 1; k <= settings::kSetCount; ++k) {
        r.LN[k - 1] = LN_[k - 1]->text();
    }
    r.SE = b.SE;
    return r;
}

bool FrmSet::reportUnstorable(const settings::SettingsModel& record) {
    const std::optional<settings::Unstorable> bad = settings::findUnstorable(record);
    if (!bad) {
        return true;
    }
    std::string text(bad->characters.empty() ? messages::kTooLongToStore
                                             : messages::kUnstorableCharacters);
    text.append(messages::kLineBreak).append(fieldCaption(bad->field));
    if (!bad->characters.empty()) {
        text += "：「";
        for (const std::string& c : bad->characters) {
            text += c;
        }
        text += "」";
    }
    text.append(messages::kLineBreak).append(messages::kChangeAndSaveAgain);
    ports().dialogs.messageBox(text, platform::MessageButtons::Ok);
    return false;
}

bool FrmSet::Command22_Click() {
    window_api::Bar& dock = windows_.bar();
    const settings::SettingsModel& b = dock.settings();
    if (dock.setUnread()) {
        // The window shows the empty stand-in the bar loaded when its set could not be read;
        // written, it would replace the stored set. The edits stay, unsaved.
        std::string text(messages::kCannotSave);
        text.append(messages::kLineBreak).append(messages::kSetNotRead);
        ports().dialogs.messageBox(text, platform::MessageButtons::Ok);
        return false;
    }
    if (RNo_.value().empty()) {
        RNo_.set("1");
    }
    const int set = settings::toInt16(RNo_.value());
    if (Clr_.value().empty()) {
        Clr_.set(std::string(w::kNo));
    }
    if (FTop_.value().empty()) {
        FTop_.set(std::string(w::kYes));
    }

    settings::SettingsModel record = recordToSave(b);
    record.SE = separatorsOfSet(set, b);
    for (std::string& flag : record.SE) {
        if (flag.empty()) {
            flag = "0";
        }
    }
    // The bar ends where the lowest-numbered slot without a path would begin, and no separator
    // stands in front of a free slot.
    record.FWdth = std::to_string(settings::kFullBarWidth);
    for (int n = settings::kSlotCount; n >= 2; --n) {
        if (record.L[n - 1].P.empty()) {
            record.FWdth = std::to_string(settings::slotLeft(n));
            record.SE[n - 2] = "0";
        }
    }
    if (record.L[0].P.empty()) {
        record.FWdth = std::to_string(settings::kEmptyBarWidth);
    }

    // Nothing is written unless all of it can be: a path cut short or holding a '?' for a
    // character Shift-JIS lacks would break its link without a word.
    if (!reportUnstorable(record)) {
        return false;
    }
    auto written =
        settings::SettingsFiles(ports().files, txtCDir_->text(), b.txtUsr).write(record, set);
    if (!written) {
        // The edits stay in the window, unsaved: the person can remove the cause and save again.
        ports().dialogs.messageBox(written.error().message, platform::MessageButtons::Ok);
        return false;
    }
    SvChk_->setText("1");
    window_api::SavedSet saved{RNo_.value(), record.LN, record.FWdth, record.SE};
    dock.settingsWindowSaved(saved);
    return true;
}

void FrmSet::applyNameLock() {
    // The set names are read from the first set loaded, so only set 1 edits them.
    const bool locked = RNo_.value() != "1";
    lblNameLock_->setVisible(locked);
    for (forms::TextBox* name : LN_) {
        name->setEnabled(!locked);
    }
}

void FrmSet::RNo_Click() {
    const settings::SettingsModel& b = bar();
    if (RNo_.value() == b.RNo) {
        return;
    }
    if (SvChk_->text().empty()) {
        if (ask(messages::kNotSaved, messages::kSaveQuestion)) {
            RNo_.set(b.RNo);
            // A save that fails keeps the window on its set with the edits: switching now would
            // throw them away.
            if (!Command22_Click()) {
                return;
            }
        } else {
            // Discarding means all of it: the reload brings back the rest, but not the names.
            for (int k = 1; k <= settings::kSetCount; ++k) {
                LN_[k - 1]->setText(b.LN[k - 1]);
            }
            SvChk_->setText("1");
        }
    }
    if (!RNo_.value().empty()) {
        applyNameLock();
    }
    windows_.bar().switchForSettingsWindow(RNo_.value());
}

void FrmSet::cmdReset() {
    Reset();
}

void FrmSet::Reset() {
    copyPictureFields();
    copySlots();
    copyDockFields();
    // The stretch belongs to the set like the pictures: without it a switch would save the
    // previous set's stretch into the new one.
    BkStrch_.set(bar().BkStrch);
    InitSettingsView();
}

}  // namespace quorvel::settings_window
