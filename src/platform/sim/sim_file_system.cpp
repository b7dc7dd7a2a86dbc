#include "platform/sim/sim_file_system.h"

#include <algorithm>
#include <utility>

namespace quorvel::platform::sim {
namespace {

bool isSeparator(char c) noexcept {
    return c == '/' || c == '\\';
}

Error notFound() {
    return {SimFileSystem::kFileNotFound, "ファイルが見つかりません。"};
}

Error locked() {
    return {SimFileSystem::kSharingViolation, "ファイルは別のプロセスが使用中です。"};
}

}  // namespace

std::string SimFileSystem::normal(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && isSeparator(p.back())) {
        p.pop_back();
    }
    return p;
}

std::string SimFileSystem::parentOf(const std::string& normalPath) {
    const auto cut = normalPath.find_last_of("/\\");
    if (cut == std::string::npos) {
        return {};
    }
    return normal(normalPath.substr(0, cut == 0 ? 1 : cut));
}

std::optional<Error> SimFileSystem::cannotCreateIn(const std::string& normalPath) const {
    const std::string parent = parentOf(normalPath);
    if (!parent.empty() && folders_.count(parent) == 0) {
        return Error{kPathNotFound, "指定されたパスが見つかりません。"};
    }
    if (readOnly_.count(parent) != 0) {
        return Error{kAccessDenied, "アクセスが拒否されました。"};
    }
    return std::nullopt;
}

bool SimFileSystem::directoryExists(const std::string& path) {
    return folders_.count(normal(path)) != 0;
}

Status SimFileSystem::createDirectory(const std::string& path) {
    const std::string p = normal(path);
    if (folders_.count(p) != 0) {
        return success();
    }
    if (files_.count(p) != 0) {
        return Error{kAccessDenied, "同じ名前のファイルがあります。"};
    }
    // The folders above are taken to exist: the program only ever creates UsrData inside
    // its working folder, which is there by definition.
    if (const std::string parent = parentOf(p); readOnly_.count(parent) != 0) {
        return Error{kAccessDenied, "アクセスが拒否されました。"};
    }
    addDirectory(p);
    return success();
}

Status SimFileSystem::ensureFile(const std::string& path) {
    const std::string p = normal(path);
    if (locked_.count(p) != 0) {
        return locked();
    }
    if (files_.count(p) != 0) {
        return success();
    }
    if (folders_.count(p) != 0) {
        return Error{kAccessDenied, "アクセスが拒否されました。"};
    }
    if (auto refused = cannotCreateIn(p)) {
        return *refused;
    }
    files_.emplace(p, std::string());
    return success();
}

Result<std::uint64_t> SimFileSystem::fileSize(const std::string& path) {
    const auto it = files_.find(normal(path));
    if (it == files_.end()) {
        return notFound();
    }
    return static_cast<std::uint64_t>(it->second.size());
}

Result<std::string> SimFileSystem::readAt(const std::string& path, std::uint64_t offset,
                                          std::size_t length) {
    const std::string p = normal(path);
    if (locked_.count(p) != 0) {
        return locked();
    }
    const auto it = files_.find(p);
    if (it == files_.end()) {
        return notFound();
    }
    const std::string& bytes = it->second;
    if (offset >= bytes.size()) {
        return std::string();
    }
    const auto at = static_cast<std::size_t>(offset);
    return bytes.substr(at, std::min(length, bytes.size() - at));
}

Status SimFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    const std::string p = normal(path);
    if (locked_.count(p) != 0) {
        return locked();
    }
    if (auto refused = cannotCreateIn(p)) {
        return *refused;
    }
    if (freeSpace_ && bytes.size() > *freeSpace_) {
        return Error{kDiskFull, "ディスクの空き領域が不足しています。"};
    }
    auto& stored = files_[p];
    if (freeSpace_) {
        *freeSpace_ = *freeSpace_ + stored.size() - bytes.size();
    }
    stored = bytes;
    ++replaceCount_;
    return success();
}

void SimFileSystem::addDirectory(const std::string& path) {
    for (std::string p = normal(path); !p.empty(); p = parentOf(p)) {
        folders_.insert(p);
        if (parentOf(p) == p) {
            break;
        }
    }
}

void SimFileSystem::addFile(const std::string& path, std::string bytes) {
    const std::string p = normal(path);
    if (const std::string parent = parentOf(p); !parent.empty()) {
        addDirectory(parent);
    }
    files_[p] = std::move(bytes);
}

void SimFileSystem::removeFile(const std::string& path) {
    files_.erase(normal(path));
}

bool SimFileSystem::fileExists(const std::string& path) const {
    return files_.count(normal(path)) != 0;
}

std::optional<std::string> SimFileSystem::fileBytes(const std::string& path) const {
    const auto it = files_.find(normal(path));
    if (it == files_.end()) {
        return std::nullopt;
    }
    return it->second;
}

void SimFileSystem::lockFile(const std::string& path) {
    locked_.insert(normal(path));
}

void SimFileSystem::unlockFile(const std::string& path) {
    locked_.erase(normal(path));
}

void SimFileSystem::makeReadOnly(const std::string& folder) {
    readOnly_.insert(normal(folder));
}

}  // namespace quorvel::platform::sim
