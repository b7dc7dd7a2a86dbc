#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

enum class FileOp { DirectoryExists, CreateDirectory, EnsureFile, FileSize, ReadAt, ReplaceFile };

// Sits in front of a file system, writes every call into the call log and fails the
// operations a test has scripted to fail (any path, every time, until the entry is erased).
class RecordingFileSystem final : public FileSystem {
public:
    RecordingFileSystem(FileSystem& inner, CallLog& log) : inner_(inner), log_(log) {}

    std::map<FileOp, Error> failures;

    bool directoryExists(const std::string& path) override;
    Status createDirectory(const std::string& path) override;
    Status ensureFile(const std::string& path) override;
    Result<std::uint64_t> fileSize(const std::string& path) override;
    Result<std::string> readAt(const std::string& path, std::uint64_t offset,
                               std::size_t length) override;
    Status replaceFile(const std::string& path, const std::string& bytes) override;

private:
    [[nodiscard]] const Error* failure(FileOp op) const;

    FileSystem& inner_;
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
