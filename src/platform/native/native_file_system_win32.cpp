#ifdef _WIN32

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "platform/native/atomic_replace.h"
#include "platform/native/native_file_system.h"
#include "platform/win32/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/strconv.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::native {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kMaxChunk = 1u << 20;  // ReadFile and WriteFile take a DWORD length

using win32::KernelHandle;
using win32::lastError;
using win32::win32Error;

using win32::toUtf8;
using win32::toWide;

// The folder a file is in, as GetTempFileNameW takes it: "." for a bare name, the root itself
// (with its separator) for a file at the top of a drive.
std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : std::wstring(L".");
    }
    const bool root = slash == 0 || path[slash - 1] == L':';
    return path.substr(0, root ? slash + 1 : slash);
}

KernelHandle openFile(const std::wstring& path, DWORD access, DWORD disposition) {
    return KernelHandle(::CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

bool NativeFileSystem::directoryExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

Status NativeFileSystem::createDirectory(const std::string& path) {
    if (::CreateDirectoryW(toWide(path).c_str(), nullptr) != 0) {
        return success();
    }
    const DWORD code = ::GetLastError();
    if (code == ERROR_ALREADY_EXISTS && directoryExists(path)) {
        return success();
    }
    return win32Error(code);
}

Status NativeFileSystem::ensureFile(const std::string& path) {
    // Read access is enough to create the file, and leaves a read-only one usable.
    KernelHandle file = openFile(toWide(path), GENERIC_READ, OPEN_ALWAYS);
    if (!file) {
        return lastError();
    }
    return success();
}

Result<std::uint64_t> NativeFileSystem::fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExW(toWide(path).c_str(), GetFileExInfoStandard, &data) == 0) {
        return lastError();
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return win32Error(ERROR_ACCESS_DENIED);
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

Result<std::string> NativeFileSystem::readAt(const std::string& path, std::uint64_t offset,
                                             std::size_t length) {
    KernelHandle file = openFile(toWide(path), GENERIC_READ, OPEN_EXISTING);
    if (!file) {
        return lastError();
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) == 0) {
        return lastError();
    }
    const auto total = static_cast<std::uint64_t>(size.QuadPart);
    if (offset >= total) {
        return std::string();
    }
    std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(length, total - offset)),
                      '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::uint64_t at = offset + done;
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kMaxChunk));
        DWORD got = 0;
        if (::ReadFile(file.get(), bytes.data() + done, chunk, &got, &where) == 0) {
            const DWORD code = ::GetLastError();
            if (code == ERROR_HANDLE_EOF) {
                break;
            }
            return win32Error(code);
        }
        if (got == 0) {
            break;  // the file shrank meanwhile
        }
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

namespace {

// The steps of a replace with Win32 calls: GetTempFileNameW beside the target, WriteFile,
// FlushFileBuffers, CloseHandle, and MoveFileExW, which replaces the old file in one step and
// returns only once the move is on the disk.
class Win32ReplaceSteps final : public ReplaceSteps {
public:
    Result<std::string> createTemporary(const std::string& target) override {
        const std::wstring folder = folderOf(toWide(target));
        wchar_t tempName[MAX_PATH + 1] = {};
        // Creates a uniquely named empty file in the target's own folder, so the final move is
        // a rename within one volume.
        if (::GetTempFileNameW(folder.c_str(), L"qvl", 0, tempName) == 0) {
            return lastError();
        }
        std::string temp = toUtf8(tempName);
        file_ = KernelHandle(::CreateFileW(tempName, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) {
            const DWORD code = ::GetLastError();
            discard(temp);
            return win32Error(code);
        }
        return temp;
    }
    Status write(std::string_view bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const auto chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kMaxChunk));
            DWORD written = 0;
            if (::WriteFile(file_.get(), bytes.data() + done, chunk, &written, nullptr) == 0) {
                return lastError();
            }
            done += written;
        }
        return success();
    }
    Status flush() override {
        if (::FlushFileBuffers(file_.get()) == 0) {
            return lastError();
        }
        return success();
    }
    Status close() override {
        if (::CloseHandle(file_.release()) == 0) {
            return lastError();
        }
        return success();
    }
    Status moveOver(const std::string& temporary, const std::string& target) override {
        if (::MoveFileExW(toWide(temporary).c_str(), toWide(target).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
            return lastError();
        }
        return success();
    }
    void flushFolderOf(const std::string& /*target*/) noexcept override {
        // MOVEFILE_WRITE_THROUGH has already waited for the move to reach the disk.
    }
    void discard(const std::string& temporary) noexcept override {
        file_.reset();  // the temporary file cannot be deleted while it is open
        ::DeleteFileW(toWide(temporary).c_str());
    }

private:
    KernelHandle file_;
};

}  // namespace

Status NativeFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    Win32ReplaceSteps steps;
    return replaceAtomically(steps, path, bytes);
}

}  // namespace quorvel::platform::native

#endif  // _WIN32
