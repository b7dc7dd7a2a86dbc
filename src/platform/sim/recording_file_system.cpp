#include "platform/sim/recording_file_system.h"

namespace quorvel::platform::sim {

const Error* RecordingFileSystem::failure(FileOp op) const {
    auto it = failures.find(op);
    return it == failures.end() ? nullptr : &it->second;
}

bool RecordingFileSystem::directoryExists(const std::string& path) {
    log_.add("directoryExists " + path);
    return failure(FileOp::DirectoryExists) == nullptr && inner_.directoryExists(path);
}

Status RecordingFileSystem::createDirectory(const std::string& path) {
    log_.add("createDirectory " + path);
    if (const Error* e = failure(FileOp::CreateDirectory)) {
        return *e;
    }
    return inner_.createDirectory(path);
}

Status RecordingFileSystem::ensureFile(const std::string& path) {
    log_.add("ensureFile " + path);
    if (const Error* e = failure(FileOp::EnsureFile)) {
        return *e;
    }
    return inner_.ensureFile(path);
}

Result<std::uint64_t> RecordingFileSystem::fileSize(const std::string& path) {
    log_.add("fileSize " + path);
    if (const Error* e = failure(FileOp::FileSize)) {
        return *e;
    }
    return inner_.fileSize(path);
}

Result<std::string> RecordingFileSystem::readAt(const std::string& path, std::uint64_t offset,
                                                std::size_t length) {
    log_.add("readAt " + path + " " + std::to_string(offset) + " " + std::to_string(length));
    if (const Error* e = failure(FileOp::ReadAt)) {
        return *e;
    }
    return inner_.readAt(path, offset, length);
}

Status RecordingFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    log_.add("replaceFile " + path);
    if (const Error* e = failure(FileOp::ReplaceFile)) {
        return *e;
    }
    return inner_.replaceFile(path, bytes);
}

}  // namespace quorvel::platform::sim
