#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

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

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
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

Status NativeFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    std::string name = path + ".XXXXXX";
    std::vector<char> pattern(name.begin(), name.end());
    pattern.push_back('\0');
    UniqueFd fd(::mkstemp(pattern.data()));
    if (!fd.valid()) {
        return lastError();
    }
    const std::string temp(pattern.data());
    const auto fail = [&temp](int code) -> Status {
        ::unlink(temp.c_str());
        return errnoError(code);
    };

    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : kNewFileMode;
    if (::fchmod(fd.get(), mode) != 0 || !writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
        return fail(errno);
    }
    if (!fd.close()) {
        return fail(errno);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        return fail(errno);
    }
    // The rename itself lives in the folder; flush it too so it survives a power cut. A file
    // system that cannot flush folders has already done all it can.
    if (UniqueFd folder = openFile(folderOf(path), O_RDONLY | O_DIRECTORY); folder.valid()) {
        ::fsync(folder.get());
    }
    return success();
}

}  // namespace quorvel::platform::native

#endif  // !_WIN32
