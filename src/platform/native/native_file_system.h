#pragma once

#include "platform/file_system.h"

namespace quorvel::platform::native {

// The settings files on the real disk, for Linux and Windows alike. Paths are UTF-8 and reach
// Windows as UTF-16, never through the ANSI code page. A replace writes a temporary file in
// the same folder, flushes it to the disk and renames it over the old file, so a crash or a
// full disk leaves either the old file or the new one, never a mixture.
class NativeFileSystem final : public FileSystem {
public:
    bool directoryExists(const std::string& path) override;
    Status createDirectory(const std::string& path) override;
    Status ensureFile(const std::string& path) override;
    Result<std::uint64_t> fileSize(const std::string& path) override;
    Result<std::string> readAt(const std::string& path, std::uint64_t offset,
                               std::size_t length) override;
    Status replaceFile(const std::string& path, const std::string& bytes) override;
};

}  // namespace quorvel::platform::native
