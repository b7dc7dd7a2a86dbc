#include <string>

#include "settings/set_lookup.h"
#include "settings_window/frm_set.h"
#include "window_api/storage_message.h"

namespace quorvel::settings_window {

namespace {

using settings::FieldGroup;
using settings::FieldLayout;

char kindLetter(FieldGroup kind) {
    switch (kind) {
        case FieldGroup::SlotType:
            return 'T';
        case FieldGroup::SlotName:
            return 'N';
        case FieldGroup::SlotPicture:
            return 'I';
        default:
            return 'P';
    }
}

const FieldLayout& slotField(int n, FieldGroup kind) {
    return *settings::findField("L" + std::to_string(n) + kindLetter(kind));
}

}  // namespace

bool FrmSet::edited(const FieldLayout& field) {
    return field.group != FieldGroup::SetNumber && field.group != FieldGroup::BarWidth &&
           field.group != FieldGroup::Separator;
}

const FrmSet::Editor* FrmSet::editorOf(const FieldLayout& field) const {
    for (const Editor& editor : editors_) {
        if (editor.field == &field) {
            return &editor;
        }
    }
    return nullptr;
}

std::string FrmSet::value(const FieldLayout& field) const {
    if (field.group == FieldGroup::SetNumber) {
        return shownSet_;
    }
    if (const Editor* editor = editorOf(field)) {
        return editor->option != nullptr ? editor->option->value() : editor->box->text();
    }
    return settings::valueOf(working_, field);
}

void FrmSet::setValue(const FieldLayout& field, std::string text) {
    if (const Editor* editor = editorOf(field)) {
        // Copied rather than moved: GCC 12 takes the moved-from text for uninitialised.
        if (editor->option != nullptr) {
            editor->option->set(text);
        } else {
            editor->box->setText(text);
        }
        return;
    }
    std::string& current = settings::valueOf(working_, field);
    if (current == text) {
        return;
    }
    current = std::move(text);
    workingCopyChanged(field);
}

void FrmSet::workingCopyChanged(const FieldLayout& field) {
    if (field.group == FieldGroup::Picture || field.group == FieldGroup::SlotPicture) {
        if (const Item* item = itemShowing(field)) {
            if (item->picture->name == "txtFBk") {
                txtFBk_Change();
            } else {
                picture_Change(*item);
            }
        }
        return;
    }
    markUnsaved();
}

const std::string& FrmSet::slotValue(int n, FieldGroup kind) const {
    return settings::valueOf(working_, slotField(n, kind));
}

void FrmSet::setSlotValue(int n, FieldGroup kind, std::string text) {
    setValue(slotField(n, kind), std::move(text));
}

void FrmSet::copyFrom(const settings::SettingsModel& source) {
    working_.txtCDir = source.txtCDir;
    // The set's own fields first, then those every set shares, as the window has always
    // taken them.
    for (const auto* layout : {&settings::setRecordLayout(), &settings::dockRecordLayout()}) {
        for (const FieldLayout& f : *layout) {
            if (edited(f)) {
                setValue(f, settings::valueOf(source, f));
            }
        }
    }
}

bool FrmSet::barShowsThisSet() const {
    return bar().RNo == shownSet_;
}

settings::SettingsModel FrmSet::storedContent(bool& unread) {
    const window_api::Bar& dock = windows_.bar();
    settings::SettingsModel content = dock.settings();
    if (barShowsThisSet()) {
        unread = dock.setUnread();
        return content;
    }
    // The bar moved on to another set (from its menu or its panel): the set this window shows
    // is the one stored, or an empty one where none is. The settings every set shares, and the
    // set names, are the bar's.
    using Found = settings::SetLookup::Found;
    settings::SettingsFiles files(ports().files, content.txtCDir, content.txtUsr);
    settings::SetLookup found = settings::lookUpSet(files, shownSet_);
    unread = found.found == Found::Unreadable;
    if (found.found == Found::Set) {
        for (const FieldLayout& f : settings::setRecordLayout()) {
            if (f.group != FieldGroup::SetName) {
                settings::valueOf(content, f) = settings::valueOf(found.fields, f);
            }
        }
        return content;
    }
    if (unread) {
        ports().dialogs.messageBox(window_api::storageMessage(*found.error),
                                   platform::MessageButtons::Ok);
    }
    settings::applySetDefaults(content);
    return content;
}

}  // namespace quorvel::settings_window
