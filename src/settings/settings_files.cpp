#include "settings/settings_files.h"

#include <limits>
#include <utility>

#include "settings/record_layout.h"

namespace quorvel::settings {
namespace {

using Kind = StorageError::Kind;

#ifdef _WIN32
constexpr char kSeparator = '\\';
constexpr std::string_view kEndsOfFolder = "\\/:";  // "C:" names the drive's current folder
#else
constexpr char kSeparator = '/';
constexpr std::string_view kEndsOfFolder = "/";
#endif

// A name within a folder. Joined by hand rather than with std::filesystem: on Windows that
// would bring the whole C++ locale machinery into the program for one separator.
std::string joinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && kEndsOfFolder.find(path.back()) == std::string_view::npos) {
        path += kSeparator;
    }
    path += name;
    return path;
}

StorageError fileError(Kind kind, const std::string& path, const platform::Error& cause) {
    return StorageError{kind, path, cause, 0};
}

}  // namespace

SettingsFiles::SettingsFiles(platform::FileSystem& files, std::string workingFolder,
                             std::string user)
    : files_(files), workingFolder_(std::move(workingFolder)), user_(std::move(user)) {}

std::string SettingsFiles::folder() const {
    return joinPath(workingFolder_, "UsrData");
}

std::string SettingsFiles::dockPath() const {
    return joinPath(folder(), user_ + "dp.dat");
}

std::string SettingsFiles::setsPath() const {
    return joinPath(folder(), user_ + "sl.dat");
}

StorageStatus SettingsFiles::ensureFolder() {
    const std::string path = folder();
    if (files_.directoryExists(path)) {
        return platform::Done{};
    }
    if (auto made = files_.createDirectory(path); !made) {
        return fileError(Kind::FolderNotMade, path, made.error());
    }
    return platform::Done{};
}

StorageResult<std::int32_t> SettingsFiles::countSets() {
    const std::string path = setsPath();
    if (auto made = files_.ensureFile(path); !made) {
        return fileError(Kind::NotRead, path, made.error());
    }
    const auto size = files_.fileSize(path);
    if (!size) {
        return fileError(Kind::NotRead, path, size.error());
    }
    const std::uint64_t whole = size.value() / kSetRecordLength;
    const std::uint64_t rest = size.value() % kSetRecordLength;
    std::uint64_t count = whole;
    // A half record rounds to the even neighbour, as the bar has always counted.
    if (2 * rest > kSetRecordLength || (2 * rest == kSetRecordLength && whole % 2 == 1)) {
        ++count;
    }
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(count > kMax ? kMax : count);
}

StorageResult<SettingsModel> SettingsFiles::readSet(int n) {
    const std::string path = setsPath();
    if (n < 1) {
        return StorageError{Kind::NoSuchSetNumber, path, {}, n};
    }
    if (auto made = files_.ensureFile(path); !made) {
        return fileError(Kind::NotRead, path, made.error());
    }
    const std::uint64_t offset = static_cast<std::uint64_t>(n - 1) * kSetRecordLength;
    auto bytes = files_.readAt(path, offset, kSetRecordLength);
    if (!bytes) {
        return fileError(Kind::NotRead, path, bytes.error());
    }
    SettingsModel model;
    decodeRecord(bytes.value(), setRecordLayout(), model);
    return model;
}

StorageResult<SettingsModel> SettingsFiles::readDock() {
    const std::string path = dockPath();
    if (auto made = files_.ensureFile(path); !made) {
        return fileError(Kind::NotRead, path, made.error());
    }
    auto bytes = files_.readAt(path, 0, kDockRecordLength);
    if (!bytes) {
        return fileError(Kind::NotRead, path, bytes.error());
    }
    SettingsModel model;
    decodeRecord(bytes.value(), dockRecordLayout(), model);
    return model;
}

namespace {

// Replaces the bytes at `offset` of the file at `path` with `record`, keeping every other
// byte, through one atomic replace of the whole file. A gap before the record is filled with
// spaces, so a never-written record reads as empty fields.
StorageStatus patchFile(platform::FileSystem& files, const std::string& path, std::uint64_t offset,
                        const std::string& record) {
    if (auto made = files.ensureFile(path); !made) {
        return fileError(Kind::NotSaved, path, made.error());
    }
    const auto size = files.fileSize(path);
    if (!size) {
        return fileError(Kind::NotSaved, path, size.error());
    }
    auto old = files.readAt(path, 0, static_cast<std::size_t>(size.value()));
    if (!old) {
        return fileError(Kind::NotSaved, path, old.error());
    }
    std::string bytes = std::move(old).value();
    const auto at = static_cast<std::size_t>(offset);
    if (bytes.size() < at + record.size()) {
        bytes.resize(at + record.size(), ' ');
    }
    bytes.replace(at, record.size(), record);
    if (auto replaced = files.replaceFile(path, bytes); !replaced) {
        return fileError(Kind::NotSaved, path, replaced.error());
    }
    return platform::Done{};
}

}  // namespace

StorageStatus SettingsFiles::write(const SettingsModel& model, int setNumber) {
    if (setNumber < 1 || setNumber > kSetCount) {
        return StorageError{Kind::SetNumberOutOfRange, setsPath(), {}, setNumber};
    }
    if (auto dock = patchFile(files_, dockPath(), 0, encodeRecord(model, dockRecordLayout()));
        !dock) {
        return dock;
    }
    const std::uint64_t offset = static_cast<std::uint64_t>(setNumber - 1) * kSetRecordLength;
    return patchFile(files_, setsPath(), offset, encodeRecord(model, setRecordLayout()));
}

}  // namespace quorvel::settings
