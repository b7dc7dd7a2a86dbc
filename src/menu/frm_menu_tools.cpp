#include <optional>
#include <string>
#include <string_view>

#include "menu/frm_menu.h"
#include "window_api/messages.h"

namespace quorvel::menu {

namespace {

// The working directory every tool starts in, unless its row says otherwise.
constexpr std::string_view kRootFolder = "c:\\";

// A Windows tool started through the shell with the default verb.
struct ToolRow {
    std::string_view item;
    std::string_view file;
    bool ownedByMenu = true;  // the menu's window owns what the shell shows; else no owner
    std::string_view verb{};
    std::string_view directory = kRootFolder;
    // A file that lies in the system folder, which is not always C:\Windows\System32.
    bool inSystemFolder = false;
    // What current Windows has in place of the file when the file is not there.
    std::string_view successor{};
};

constexpr ToolRow kTools[] = {
    {"CtPanel", "control.exe"},
    {"tmgr", "taskmgr.exe"},
    // System Restore moved from its own folder straight into the system folder.
    {"rstrui", "restore\\rstrui.exe", true, {}, kRootFolder, true, "rstrui.exe"},
    {"msinfo", "msinfo32.exe"},
    {"cleanmgr", "cleanmgr.exe"},
    // The defragmenter's console document gave way to a program of its own.
    {"dfrg", "dfrg.msc", true, {}, kRootFolder, false, "dfrgui.exe"},
    {"Wab", "wab.exe"},
    {"expl", "explorer.exe", false, "open"},
    {"Commp", "cmd.exe"},
    {"MsPaint", "mspaint.exe"},
    {"Notepad", "notepad.exe"},
    {"Wordpad", "wordpad.exe"},
    {"Calc", "calc.exe"},
    {"Find", "c:\\", false, "find", {}},
};

}  // namespace

void FrmMenu::wireTools() {
    for (const ToolRow& tool : kTools) {
        menuItem(tool.item).onClick = [this, item = tool.item] { launchTool(item); };
    }
}

void FrmMenu::launchTool(std::string_view item) {
    platform::Shell& shell = windows_.ports().shell;
    for (const ToolRow& tool : kTools) {
        if (tool.item != item) {
            continue;
        }
        const auto place = [&](std::string_view file) {
            return tool.inSystemFolder ? shell.systemFolder() + "\\" + std::string(file)
                                       : std::string(file);
        };
        std::string file = place(tool.file);
        if (!tool.successor.empty() && !shell.findProgram(file)) {
            if (std::string successor = place(tool.successor); shell.findProgram(successor)) {
                file = std::move(successor);
            }
        }
        platform::ShellRequest request;
        request.owner = tool.ownedByMenu ? this : nullptr;
        request.verb = std::string(tool.verb);
        request.file = std::move(file);
        request.directory = std::string(tool.directory);
        // A tool that does not start says nothing: the shell has its own word for it, if any.
        static_cast<void>(shell.execute(request));
        return;
    }
}

void FrmMenu::SysIfo_Click() {
    platform::Ports& ports = windows_.ports();
    if (auto shown = ports.shell.showProperties(this, std::string(platform::kMyComputerPath));
        !shown) {
        ports.dialogs.messageBox(std::string(messages::kPropertiesFailed),
                                 platform::MessageButtons::Ok);
    }
}

}  // namespace quorvel::menu
