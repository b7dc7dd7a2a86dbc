#include <cstdint>
#include <string>

#include "bar/dock.h"
#include "bar/dock_geometry.h"
#include "settings/save_preparation.h"
#include "window_api/messages.h"

namespace quorvel::bar {

namespace g = geometry;

namespace {
std::string cutAtNul(std::string text) {
    if (auto nul = text.find('\0'); nul != std::string::npos) {
        text.resize(nul);
    }
    return text;
}
}  // namespace

void Dock::Load() {
    const forms::Rect screen = ports().screen.bounds();
    setWidth(g::kCollapsedWidth);
    setTop(screen.top + screen.height / g::kTopEdgeDivisor);
    setLeft(screen.left + screen.width / g::kStartLeftDivisor);
    setHeight(g::kBarHeight);

    // Both settings files are named after the user; without a name there is nothing to read,
    // and the bar stays a 2-twip sliver.
    std::optional<std::string> user = ports().identity.userName();
    if (!user) {
        return;
    }
    model_.txtUsr = cutAtNul(std::move(*user));
    model_.txtMDPth = cutAtNul(ports().identity.documentsFolder());

    // The settings live below the directory the program was started in, fixed now: a later
    // change of the current directory must not move them.
    const std::string current = ports().identity.currentDirectory();
    const std::string folder =
        settings::SettingsFiles(ports().files, current, model_.txtUsr).folder();
    if (!ports().files.directoryExists(folder)) {
        if (auto made = ports().files.createDirectory(folder); !made) {
            report(messages::kFolderFailed, made.error());
            folderFailureReported_ = true;
        }
    }
    model_.txtCDir = current;

    ImgRBinFll_->setVisible(false);
    RBFD_->setVisible(false);
    ImgRBinEmp_->setVisible(true);
    RBED_->setVisible(true);
    tmeRBin_->start(kBinPollMs);
    watchRecycleBin();

    measureTaskbar();

    loadCurrentSet();
}

void Dock::tearDownForRestart() {
    stopNewLinksFlash();
    parkDefaultBackground();
    setWidth(g::kCollapsedWidth);
    windows_.unloadSwitchPanel();
    // The layout shows the name popup again; the name it held belongs to the set before, and
    // over an opaque bar nothing would ever hide it. Not every caller unloads it first (the
    // panel's set switch does not), so the restart does.
    windows_.unloadNamePopup();
}

void Dock::cmdReStart() {
    tearDownForRestart();
    loadCurrentSet();
}

bool Dock::cmdDsSave() {
    if (setUnread_) {
        // The stored set is still there; the empty one on screen must not replace it.
        report(messages::kCannotSave, platform::Error{0, std::string(messages::kSetNotRead)});
        return false;
    }
    if (shownUnderNoNumber_) {
        // The empty set on screen was asked for under a number that names no set; saving it
        // would write it over set 1, which the save takes an empty number for.
        report(messages::kCannotSave, platform::Error{0, std::string(messages::kSetHasNoNumber)});
        return false;
    }
    const int set = settings::prepareForSave(model_, settings::Writer::Bar);
    if (auto written = settingsFiles().write(model_, set); !written) {
        // The settings stay in memory: the user can fix the cause and save again.
        report(written.error());
        return false;
    }
    currentSet_ = set;
    return true;
}

void Dock::cndEnd() {
    showTaskbar(platform::ShowState::Normal);
    ports().process.exitNow();
}

void Dock::Unload() {
    showTaskbar(platform::ShowState::Normal);
}

}  // namespace quorvel::bar
