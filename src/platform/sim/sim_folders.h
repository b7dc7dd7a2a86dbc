#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// Drives and a tree of folders kept in memory. Folder paths are written as Windows writes them
// ("C:\Users\taro", a drive's root as "C:\"); names compare exactly.
class SimFolders final : public Folders {
public:
    static constexpr long kAccessDenied = 5;

    explicit SimFolders(CallLog& log) : log_(log) {}

    std::vector<Drive> driveList = {{"C:\\", "c: [Windows]"}, {"D:\\", "d:"}};
    std::set<std::string> notReady;  // roots of drives without a medium
    std::set<std::string> locked;    // folders whose contents cannot be listed

    // Adds a folder and every folder above it.
    void addFolder(const std::string& path);

    std::vector<Drive> drives() override;
    bool driveReady(const std::string& root) override;
    Result<std::vector<std::string>> subfolders(const std::string& path) override;

private:
    CallLog& log_;
    std::set<std::string> folders_;
};

}  // namespace quorvel::platform::sim
