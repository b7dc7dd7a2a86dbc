#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace quorvel::platform::sim {

// Files and folders kept in memory, with the failures a real disk can produce on request:
// a file another program holds open, a folder the user may not write to, a full disk.
// Paths are plain strings; '/' and '\' both separate folders, trailing separators are
// ignored, and names are compared exactly. A file can only be made in an existing folder;
// createDirectory makes the folders above it too.
class SimFileSystem final : public FileSystem {
public:
    // Windows' codes for the failures, so tests read like the real thing.
    static constexpr long kFileNotFound = 2;
    static constexpr long kPathNotFound = 3;
    static constexpr long kAccessDenied = 5;
    static constexpr long kSharingViolation = 32;
    static constexpr long kDiskFull = 112;

    SimFileSystem() = default;

    bool directoryExists(const std::string& path) override;
    Status createDirectory(const std::string& path) override;
    Status ensureFile(const std::string& path) override;
    Result<std::uint64_t> fileSize(const std::string& path) override;
    Result<std::string> readAt(const std::string& path, std::uint64_t offset,
                               std::size_t length) override;
    Status replaceFile(const std::string& path, const std::string& bytes) override;

    // Setting up and looking at the disk; these never fail and ignore the injected failures.
    void addDirectory(const std::string& path);                // with every folder above it
    void addFile(const std::string& path, std::string bytes);  // with its folders
    void removeFile(const std::string& path);
    [[nodiscard]] bool fileExists(const std::string& path) const;
    [[nodiscard]] std::optional<std::string> fileBytes(const std::string& path) const;
    // Number of successful replaceFile calls so far.
    [[nodiscard]] int replaceCount() const noexcept { return replaceCount_; }

    // Another program holds the file open without sharing it: opening, reading and
    // replacing it fail; its size can still be seen.
    void lockFile(const std::string& path);
    void unlockFile(const std::string& path);
    // Nothing can be created in the folder nor any file in it replaced.
    void makeReadOnly(const std::string& folder);
    // Bytes the disk can still take; std::nullopt (the default) for no limit. A replace
    // needs room for the whole new file before the old one goes away.
    void setFreeSpace(std::optional<std::uint64_t> bytes) noexcept { freeSpace_ = bytes; }

private:
    [[nodiscard]] static std::string normal(const std::string& path);
    [[nodiscard]] static std::string parentOf(const std::string& normalPath);
    [[nodiscard]] std::optional<Error> cannotCreateIn(const std::string& normalPath) const;

    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    std::set<std::string> locked_;
    std::set<std::string> readOnly_;
    std::optional<std::uint64_t> freeSpace_;
    int replaceCount_ = 0;
};

}  // namespace quorvel::platform::sim
