#include "platform/sim/sim_folders.h"

#include <algorithm>
#include <cctype>

namespace quorvel::platform::sim {

namespace {

// "C:\a\b" -> "C:\a"; "C:\a" -> "C:\"; a root has no parent.
std::string parentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos || slash + 1 == path.size()) {
        return {};
    }
    const std::size_t rootSlash = path.find('\\');
    return slash == rootSlash ? path.substr(0, slash + 1) : path.substr(0, slash);
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

}  // namespace

void SimFolders::addFolder(const std::string& path) {
    for (std::string p = withoutTrailingSlash(path); !p.empty(); p = parentOf(p)) {
        folders_.insert(p);
    }
}

std::vector<Drive> SimFolders::drives() {
    log_.add("drives");
    return driveList;
}

bool SimFolders::driveReady(const std::string& root) {
    log_.add("driveReady " + root);
    return !notReady.contains(root);
}

Result<std::vector<std::string>> SimFolders::subfolders(const std::string& path) {
    const std::string folder = withoutTrailingSlash(path);
    log_.add("subfolders " + folder);
    if (locked.contains(folder) || !folders_.contains(folder)) {
        return Error{kAccessDenied, "アクセスが拒否されました。"};
    }
    std::vector<std::string> names;
    for (const std::string& f : folders_) {
        if (f != folder && parentOf(f) == folder) {
            const std::size_t from = folder.back() == '\\' ? folder.size() : folder.size() + 1;
            names.push_back(f.substr(from));
        }
    }
    // As a person reads them: without regard to case, as the real list sorts.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
                                                return std::tolower(static_cast<unsigned char>(x)) <
                                                       std::tolower(static_cast<unsigned char>(y));
                                            });
    });
    return names;
}

}  // namespace quorvel::platform::sim
