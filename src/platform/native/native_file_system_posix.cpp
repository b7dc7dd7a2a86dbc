#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/native/atomic_replace.h"
#include "platform/native/native_file_system.h"

namespace quorvel::platform::native {
namespace {

constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kNewFolderMode = 0755;

Error errnoError(int code) {
    return {code, std::generic_category().message(code)};
}

Error lastError() {
    return errnoError(errno);
}

// A file descriptor that closes itself.
class UniqueFd {
public:
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    [[nodiscard]] int get() const noexcept { return fd_; }
    [[nodiscard]] bool valid() const noexcept { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (it can report a late write error).
    bool close() noexcept { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    void reset() noexcept {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    int fd_;
};

UniqueFd openFile(const std::string& path, int flags, mode_t mode = 0) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return UniqueFd(fd);
}

std::string folderOf(const std::string& path) {
    const auto cut = path.find_last_of('/');
    if (cut == std::string::npos) {
        return ".";
    }
    return cut == 0 ? "/" : path.substr(0, cut);
}

}  // namespace

bool NativeFileSystem::directoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Status NativeFileSystem::createDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), kNewFolderMode) == 0) {
        return success();
    }
    const int code = errno;
    if (code == EEXIST && directoryExists(path)) {
        return success();
    }
    return errnoError(code);
}

Status NativeFileSystem::ensureFile(const std::string& path) {
    // Read-only access is enough to create the file, and leaves a write-protected one usable.
    UniqueFd fd = openFile(path, O_RDONLY | O_CREAT, kNewFileMode);
    if (!fd.valid()) {
        return lastError();
    }
    return success();
}

Result<std::uint64_t> NativeFileSystem::fileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return lastError();
    }
    if (S_ISDIR(st.st_mode)) {
        return errnoError(EISDIR);
    }
    return static_cast<std::uint64_t>(st.st_size);
}

Result<std::string> NativeFileSystem::readAt(const std::string& path, std::uint64_t offset,
                                             std::size_t length) {
    UniqueFd fd = openFile(path, O_RDONLY);
    if (!fd.valid()) {
        return lastError();
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        return lastError();
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (offset >= size) {
        return std::string();
    }
    // Never allocate more than the file can give, whatever length was asked for.
    std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(length, size - offset)),
                      '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd.get(), bytes.data() + done, bytes.size() - done,
                                  static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        if (n == 0) {
            break;  // the file shrank meanwhile
        }
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

namespace {

// The steps of a replace with POSIX calls: mkstemp beside the target, write, fsync, close,
// rename, and an fsync of the folder so the rename itself is on the disk.
class PosixReplaceSteps final : public ReplaceSteps {
public:
    Result<std::string> createTemporary(const std::string& target) override {
        std::string name = target + ".XXXXXX";
        std::vector<char> pattern(name.begin(), name.end());
        pattern.push_back('\0');
        fd_ = UniqueFd(::mkstemp(pattern.data()));
        if (!fd_.valid()) {
            return lastError();
        }
        std::string temp(pattern.data());
        // The new file keeps the permissions of the one it replaces.
        struct stat old {};
        const mode_t mode =
            ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : kNewFileMode;
        if (::fchmod(fd_.get(), mode) != 0) {
            const Error error = lastError();
            discard(temp);
            return error;
        }
        return temp;
    }
    Status write(std::string_view bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_.get(), bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return lastError();
            }
            done += static_cast<std::size_t>(n);
        }
        return success();
    }
    Status flush() override {
        if (::fsync(fd_.get()) != 0) {
            return lastError();
        }
        return success();
    }
    Status close() override {
        if (!fd_.close()) {
            return lastError();
        }
        return success();
    }
    Status moveOver(const std::string& temporary, const std::string& target) override {
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            return lastError();
        }
        return success();
    }
    void flushFolderOf(const std::string& target) noexcept override {
        // A file system that cannot flush folders has already done all it can.
        if (UniqueFd folder = openFile(folderOf(target), O_RDONLY | O_DIRECTORY); folder.valid()) {
            ::fsync(folder.get());
        }
    }
    void discard(const std::string& temporary) noexcept override {
        fd_ = UniqueFd(-1);
        ::unlink(temporary.c_str());
    }

private:
    UniqueFd fd_{-1};
};

}  // namespace

Status NativeFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    PosixReplaceSteps steps;
    return replaceAtomically(steps, path, bytes);
}

}  // namespace quorvel::platform::native

#endif  // !_WIN32
