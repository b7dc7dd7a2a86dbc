// Files, folders, shortcuts and addresses dropped on the bar's background, divider or
// separators become links after the last slot in use, saved and laid out as every change is.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bar/dock.h"
#include "bar/dropped_links.h"
#include "settings/stored_width.h"
#include "window_api/messages.h"
#include "window_api/storage_message.h"

namespace quorvel::bar {

namespace {

std::string joined(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') {
        path += '\\';
    }
    return path.append(name);
}

// The problem of the first value a slot could not store as it is: the value, and why.
std::string unstorableReason(std::string_view field, const std::string& value) {
    const std::optional<settings::Unstorable> bad = settings::findUnstorable(field, value);
    if (!bad) {
        return {};
    }
    std::string text = value;
    text.append(messages::kLineBreak);
    if (bad->characters.empty()) {
        return text.append(messages::kTooLongToStore);
    }
    text.append(messages::kUnstorableCharacters).append("「");
    for (const std::string& c : bad->characters) {
        text += c;
    }
    return text.append("」");
}

}  // namespace

forms::DropEffect Dock::linksDropEffect(const forms::DragData& data) const {
    return mayMakeLinks(data) ? forms::DropEffect::Link : forms::DropEffect::None;
}

int Dock::lastSlotInUse() const {
    for (int n = settings::kSlotCount; n >= 1; --n) {
        if (!model_.L[static_cast<std::size_t>(n - 1)].P.empty()) {
            return n;
        }
    }
    return 0;
}

void Dock::refuseLinks(std::string_view reason) {
    std::string text(messages::kCannotAddLinks);
    text.append(messages::kLineBreak).append(reason);
    ports().dialogs.messageBox(text, platform::MessageButtons::Ok);
}

void Dock::Background_Drop(const forms::DragData& data) {
    const std::vector<DroppedLink> links = linksFor(data, ports().files);
    if (links.empty()) {
        return;
    }
    if (setUnread_ || shownUnderNoNumber_) {
        // Links that no save may store would go with the next set shown.
        refuseLinks(setUnread_ ? messages::kSetNotRead : messages::kSetHasNoNumber);
        return;
    }
    if (const int set = settings::toInt16(model_.RNo.empty() ? "1" : model_.RNo);
        set > settings::kSetCount) {
        // No save can store it: the links would stay on the bar alone and go with the next
        // set shown.
        refuseLinks(window_api::setNumberOutOfRange(set));
        return;
    }
    if (window_api::SettingsWindow* editor = windows_.settingsWindowIfLoaded();
        editor != nullptr && editor->launcherSetNumber() == model_.RNo) {
        // Its save writes its own copy of the slots, which would drop the new links.
        refuseLinks(std::string(messages::kWindowShowsThisSet)
                        .append(messages::kLineBreak)
                        .append(messages::kCloseWindowFirst));
        return;
    }
    const int first = lastSlotInUse() + 1;
    const int freeSlots = settings::kSlotCount - first + 1;
    if (static_cast<int>(links.size()) > freeSlots) {
        refuseLinks(freeSlots == 0
                        ? std::string(messages::kNoFreeSlot)
                        : std::string(messages::kFreeSlotsBefore) + std::to_string(freeSlots) +
                              std::string(messages::kFreeSlotsAfter));
        return;
    }
    const std::string icons = joined(settingsFiles().folder(), "Icons");
    std::vector<std::string> pictures;
    for (const DroppedLink& link : links) {
        const std::string picture = joined(icons, iconFileName(link.pictureOf, link.address));
        using Stored = std::pair<std::string_view, const std::string*>;
        for (const auto& [field, value] : {Stored{"L1P", &link.path}, Stored{"L1I", &picture}}) {
            if (std::string reason = unstorableReason(field, *value); !reason.empty()) {
                refuseLinks(reason);
                return;
            }
        }
        pictures.push_back(picture);
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (!writePicture(links[i], pictures[i], joined(icons, "link.ico"))) {
            return;
        }
    }

    std::vector<int> added;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const int n = first + static_cast<int>(i);
        model_.L[static_cast<std::size_t>(n - 1)] =
            settings::LinkSlot{links[i].type, links[i].name, pictures[i], links[i].path};
        added.push_back(n);
    }
    saveAndRestart();
    // The new items flash once, while the bar opens again.
    newLinks_ = std::move(added);
    newLinksHidden_ = false;
    tmeNewLinks_->start(kFlashStepMs);
}

// The target's own picture, written once: a target dropped again finds its file there. Where
// the shell has none, the built-in link picture stands in (written once as well); a slot never
// ends up without a picture to show.
bool Dock::writePicture(const DroppedLink& link, std::string& picture,
                        const std::string& fallback) {
    platform::FileSystem& files = ports().files;
    if (files.fileSize(picture)) {
        return true;
    }
    const std::size_t cut = picture.find_last_of('\\');
    const std::string folder = picture.substr(0, cut);
    if (!files.directoryExists(folder)) {
        if (auto made = files.createDirectory(folder); !made) {
            refuseLinks(folder + std::string(messages::kLineBreak) + made.error().message);
            return false;
        }
    }
    if (auto icon = ports().shell.iconOf(link.pictureOf, link.address)) {
        if (files.replaceFile(picture, icon.value())) {
            return true;
        }
    }
    picture = fallback;
    if (files.fileSize(picture)) {
        return true;
    }
    auto written =
        files.replaceFile(picture, ports().pictures.iconFileOf(forms::BuiltinPicture::Link));
    if (!written) {
        refuseLinks(picture + std::string(messages::kLineBreak) + written.error().message);
        return false;
    }
    return true;
}

void Dock::tmeNewLinks_Timer() {
    newLinksHidden_ = !newLinksHidden_;
    for (int n : newLinks_) {
        slots_[static_cast<std::size_t>(n - 1)]->setVisible(!newLinksHidden_);
    }
    if (!newLinksHidden_) {
        tmeNewLinks_->stop();
        newLinks_.clear();
    }
}

void Dock::stopNewLinksFlash() {
    tmeNewLinks_->stop();
    for (int n : newLinks_) {
        slots_[static_cast<std::size_t>(n - 1)]->setVisible(true);
    }
    newLinks_.clear();
    newLinksHidden_ = false;
}

}  // namespace quorvel::bar
