#include <string>

#include "settings/save_preparation.h"
#include "settings/set_lookup.h"
#include "settings/settings_files.h"
#include "settings/stored_width.h"
#include "settings_window/frm_set.h"
#include "window_api/messages.h"
#include "window_api/storage_message.h"

namespace quorvel::settings_window {

namespace w = settings::words;

void FrmSet::tell(std::string_view headline, std::string_view reason) {
    std::string text(headline);
    text.append(messages::kLineBreak).append(reason);
    ports().dialogs.messageBox(text, platform::MessageButtons::Ok);
}

bool FrmSet::separatorsOfShownSet(settings::SettingsModel& record) {
    if (barShowsThisSet()) {
        record.SE = bar().SE;
        return true;
    }
    // The bar was switched to another set (from the menu or the panel) while this window stayed
    // on its own: that set's separators must not move into this one. The separators are saved
    // as soon as they are toggled, so the stored record holds this set's own.
    using Found = settings::SetLookup::Found;
    settings::SettingsFiles files(ports().files, working_.txtCDir, bar().txtUsr);
    settings::SetLookup found = settings::lookUpSet(files, shownSet_);
    if (found.found == Found::Unreadable) {
        // Saving would clear the separators of a set whose record is there but unreadable.
        ports().dialogs.messageBox(window_api::storageMessage(*found.error),
                                   platform::MessageButtons::Ok);
        return false;
    }
    record.SE = found.fields.SE;
    return true;
}

bool FrmSet::reportUnstorable(const settings::SettingsModel& record) {
    const std::optional<settings::Unstorable> bad = settings::findUnstorable(record);
    if (!bad) {
        return true;
    }
    std::string text(bad->characters.empty() ? messages::kTooLongToStore
                                             : messages::kUnstorableCharacters);
    const settings::FieldLayout* field = settings::findField(bad->field);
    text.append(messages::kLineBreak).append(field != nullptr ? field->caption : bad->field);
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
    if (setUnread_) {
        // The window shows the empty stand-in for a set that could not be read; written, it
        // would replace the stored set. The edits stay, unsaved.
        tell(messages::kCannotSave, messages::kSetNotRead);
        return false;
    }
    if (shownSet_.empty()) {
        shownSet_ = "1";
        RNo_.set(shownSet_);
    }
    if (Clr_.value().empty()) {
        Clr_.set(std::string(w::kNo));
    }
    if (FTop_.value().empty()) {
        FTop_.set(std::string(w::kYes));
    }

    settings::SettingsModel record;
    for (const auto* layout : {&settings::dockRecordLayout(), &settings::setRecordLayout()}) {
        for (const settings::FieldLayout& f : *layout) {
            if (edited(f)) {
                settings::valueOf(record, f) = value(f);
            }
        }
    }
    record.RNo = shownSet_;
    if (!separatorsOfShownSet(record)) {
        return false;
    }
    // The bar ends where the lowest-numbered slot without a path would begin, and no separator
    // stands in front of a free slot.
    const int set = settings::prepareForSave(record, settings::Writer::SettingsWindow);

    // Nothing is written unless all of it can be: a path cut short or holding a '?' for a
    // character Shift-JIS lacks would break its link without a word.
    if (!reportUnstorable(record)) {
        return false;
    }
    auto written =
        settings::SettingsFiles(ports().files, working_.txtCDir, bar().txtUsr).write(record, set);
    if (!written) {
        // The edits stay in the window, unsaved: the person can remove the cause and save again.
        ports().dialogs.messageBox(window_api::storageMessage(written.error()),
                                   platform::MessageButtons::Ok);
        return false;
    }
    setSaved(true);
    windows_.bar().settingsWindowSaved(
        window_api::SavedSet{shownSet_, record.LN, record.FWdth, record.SE});
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
    // The number picked is compared with the set the window shows: the bar may have moved on
    // to another set meanwhile.
    if (RNo_.value() == shownSet_) {
        return;
    }
    if (!saved_) {
        if (ask(messages::kNotSaved, messages::kSaveQuestion)) {
            // The edits are stored into the set they were made in, and the window stays on it.
            RNo_.set(shownSet_);
            // A save that fails keeps the window on its set with the edits: switching now would
            // throw them away.
            if (!Command22_Click()) {
                return;
            }
        } else {
            // The edits go; the reload that follows brings back the set's own content.
            setSaved(true);
        }
    }
    if (!RNo_.value().empty()) {
        applyNameLock();
    }
    shownSet_ = RNo_.value();
    closeFolderChooser();
    windows_.bar().switchForSettingsWindow(shownSet_);
}

void FrmSet::cmdReset() {
    Reset();
}

void FrmSet::Reset() {
    // A folder chosen for the content on screen must not land in what replaces it.
    closeFolderChooser();
    bool unread = false;
    const settings::SettingsModel content = storedContent(unread);
    setUnread_ = unread;
    // The set names are taken back too: left as edited, they would be dropped without a
    // question, since the window counts as saved from here.
    copyFrom(content);
    InitSettingsView();
}

}  // namespace quorvel::settings_window
