#pragma once

#include <cstdint>
#include <string>

#include "platform/result.h"

namespace quorvel::platform {

// The few file operations the settings store needs. Paths are UTF-8. Behind a port so tests
// can inject a locked file, a read-only folder or a full disk.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    [[nodiscard]] virtual bool directoryExists(const std::string& path) = 0;
    virtual Status createDirectory(const std::string& path) = 0;
    // Creates an empty file when none exists; leaves an existing one untouched.
    virtual Status ensureFile(const std::string& path) = 0;
    // Length in bytes; an error when the file does not exist or cannot be examined.
    [[nodiscard]] virtual Result<std::uint64_t> fileSize(const std::string& path) = 0;
    // Up to `length` bytes from `offset`; fewer (or none) at the end of the file.
    [[nodiscard]] virtual Result<std::string> readAt(const std::string& path, std::uint64_t offset,
                                                     std::size_t length) = 0;
    // Replaces the whole file atomically: the new bytes go to a temporary file beside it,
    // are flushed to the disk, and then take the old file's place. On any failure the old
    // file is left exactly as it was.
    virtual Status replaceFile(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace quorvel::platform
