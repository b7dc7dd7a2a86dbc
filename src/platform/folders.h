#pragma once

#include <string>
#include <vector>

#include "platform/result.h"

namespace quorvel::platform {

// A drive as the folder chooser lists it.
struct Drive {
    std::string root;     // "C:\"
    std::string caption;  // what the list shows: "c: [Windows]", "d:"
};

// Drives and folders for the folder chooser. Paths are UTF-8.
class Folders {
public:
    virtual ~Folders() = default;
    // Every drive letter in use, in letter order.
    [[nodiscard]] virtual std::vector<Drive> drives() = 0;
    // False for a drive that holds no medium (an empty card reader or disc drive) or cannot be
    // read; asking never makes the system show a dialog of its own.
    [[nodiscard]] virtual bool driveReady(const std::string& root) = 0;
    // The names of the folders directly inside `path`, sorted as a person reads them (without
    // regard to case); hidden system folders are left out.
    [[nodiscard]] virtual Result<std::vector<std::string>> subfolders(const std::string& path) = 0;
};

}  // namespace quorvel::platform
