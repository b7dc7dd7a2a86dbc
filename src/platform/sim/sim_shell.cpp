#include "platform/sim/sim_shell.h"

namespace quorvel::platform::sim {

namespace {

std::string ownerName(const forms::Form* owner) {
    return owner != nullptr ? owner->name() : "-";
}

Error failure(const std::string& what) {
    return Error{2, what + ": the system cannot find the file specified"};
}

}  // namespace

Status SimShell::execute(const ShellRequest& request) {
    log_.add("shellExecute owner=" + ownerName(request.owner) + " verb=" + request.verb +
             " file=" + request.file + " parameters=" + request.parameters +
             " directory=" + request.directory + " show=" + std::to_string(request.show));
    executed.push_back(request);
    if (failing.contains(request.file)) {
        return failure(request.file);
    }
    return success();
}

std::optional<std::string> SimShell::findProgram(const std::string& name) {
    log_.add("findProgram " + name);
    if (auto found = programs.find(name); found != programs.end()) {
        return found->second;
    }
    return std::nullopt;
}

Status SimShell::startProgram(const std::string& program, const std::string& arguments) {
    log_.add("startProgram " + program + " arguments=" + arguments);
    started.push_back({program, arguments});
    if (failing.contains(program)) {
        return failure(program);
    }
    return success();
}

Status SimShell::showProperties(const forms::Form* owner, const std::string& item) {
    log_.add("showProperties owner=" + ownerName(owner) + " item=" + item);
    properties.push_back(item);
    if (propertiesFail) {
        return Error{1155, "No application is associated with the specified file"};
    }
    return success();
}

Status SimShell::recycle(const forms::Form* owner, const std::vector<std::string>& paths) {
    std::string entry = "recycle owner=" + ownerName(owner);
    for (const std::string& path : paths) {
        entry += " [" + path + "]";
    }
    log_.add(entry);
    recycled.push_back(paths);
    return success();
}

Result<RecycleBinState> SimShell::queryRecycleBin() {
    ++binQueries;
    log_.add("queryRecycleBin");
    if (!binItems) {
        return Error{5, "Access is denied"};
    }
    return RecycleBinState{*binItems, *binItems * 1000, binQueryCost};
}

bool SimShell::watchRecycleBin(std::function<void()> changed) {
    log_.add("watchRecycleBin");
    if (!canWatch) {
        return false;
    }
    watcher_ = std::move(changed);
    return true;
}

Status SimShell::emptyRecycleBin(const forms::Form* owner) {
    log_.add("emptyRecycleBin owner=" + ownerName(owner));
    binEmptyOwners.push_back(ownerName(owner));
    if (!confirmEmpty) {
        return Error{1223, "The operation was canceled by the user"};
    }
    if (binItems) {
        binItems = 0;
    }
    return success();
}

std::string SimShell::iconBytesOf(const std::string& item, bool address) {
    return std::string("icon of ") + (address ? "address " : "") + item;
}

Result<std::string> SimShell::iconOf(const std::string& item, bool address) {
    log_.add(std::string("iconOf ") + (address ? "address " : "") + item);
    iconRequests.push_back(item);
    if (iconless.contains(item)) {
        return Error{2, "no picture for " + item};
    }
    return iconBytesOf(item, address);
}

bool SimShell::startsWithWindows() {
    return startupShortcut.has_value();
}

Status SimShell::startWithWindows(const std::string& workingFolder) {
    log_.add("startWithWindows directory=" + workingFolder);
    if (startupFolderFails) {
        return Error{5, "Access is denied"};
    }
    startupShortcut = workingFolder;
    return success();
}

Status SimShell::stopStartingWithWindows() {
    log_.add("stopStartingWithWindows");
    if (startupFolderFails) {
        return Error{5, "Access is denied"};
    }
    startupShortcut.reset();
    return success();
}

bool SimShell::requestShutDownOptions() {
    if (!hasShellWindow) {
        log_.add("requestShutDownOptions none");
        return false;
    }
    log_.add("requestShutDownOptions shell");
    ++shutDownRequests;
    return true;
}

}  // namespace quorvel::platform::sim
