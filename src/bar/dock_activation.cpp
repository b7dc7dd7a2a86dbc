#include <string>

#include "bar/command_line.h"
#include "bar/dock.h"

namespace quorvel::bar {

namespace w = settings::words;

void Dock::IL_Click(int n) {
    model_.Text1 = "L" + std::to_string(n);
    model_.txtCount = "0";
    BeginClickBlink();
    // From here on a failure ends the activation without a word; the flash runs on.
    const settings::LinkSlot& slot = model_.L[static_cast<std::size_t>(n - 1)];
    if (slot.T == w::kApplication) {
        runCommandLine(slot.P);
    } else if (slot.T == w::kFile || slot.T == w::kFolder || slot.T == w::kHomePage) {
        shellOpen(slot.P);
    }
}

void Dock::special_Click(std::string_view code, const std::string& target) {
    model_.Text1 = std::string(code);
    model_.txtCount = "0";
    BeginClickBlink();
    shellOpen(target);
}

void Dock::shellOpen(const std::string& path) {
    platform::ShellRequest request;
    request.owner = this;
    request.file = path;
    request.directory = path;
    request.show = platform::kShowNormal;
    // What the shell has to say about a missing file or a missing association it shows itself.
    static_cast<void>(ports().shell.execute(request));
}

void Dock::runCommandLine(const std::string& commandLine) {
    platform::Shell& shell = ports().shell;
    const auto split = splitCommandLine(
        commandLine, [&shell](const std::string& name) { return shell.findProgram(name); });
    if (split) {
        static_cast<void>(shell.startProgram(split->program, split->arguments));
    }
}

}  // namespace quorvel::bar
