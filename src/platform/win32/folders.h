#pragma once

#include "platform/folders.h"

namespace quorvel::platform::win32 {

// The drives and folders of this machine. Asking about a drive without a medium never makes
// the system show its "insert a disk" box.
class Win32Folders final : public Folders {
public:
    std::vector<Drive> drives() override;
    bool driveReady(const std::string& root) override;
    Result<std::vector<std::string>> subfolders(const std::string& path) override;
};

}  // namespace quorvel::platform::win32
