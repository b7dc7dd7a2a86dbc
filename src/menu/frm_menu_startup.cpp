// "Windows の起動時に実行する": a shortcut to the program in the user's Startup folder, made or
// taken away. The entry is checked while the shortcut is there.
#include <string>

#include "menu/frm_menu.h"
#include "window_api/messages.h"

namespace quorvel::menu {

void FrmMenu::WinStart_Click() {
    platform::Shell& shell = windows_.ports().shell;
    if (shell.startsWithWindows()) {
        if (auto removed = shell.stopStartingWithWindows(); !removed) {
            message(std::string(messages::kStartupNotRemoved)
                        .append(messages::kLineBreak)
                        .append(removed.error().message));
        }
        return;
    }
    // Started from the shortcut, the bar finds the settings it uses now: they live below the
    // folder it was started in.
    std::string folder = windows_.bar().settings().txtCDir;
    if (folder.empty()) {
        folder = windows_.ports().identity.currentDirectory();
    }
    if (auto made = shell.startWithWindows(folder); !made) {
        message(std::string(messages::kStartupNotMade)
                    .append(messages::kLineBreak)
                    .append(made.error().message));
    }
}

}  // namespace quorvel::menu
