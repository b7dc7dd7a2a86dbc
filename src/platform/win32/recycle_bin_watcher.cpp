#include "platform/win32/recycle_bin_watcher.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/win32/strconv.h"
#include "platform/win32/system_library.h"
// clang-format off
#include <dbt.h>
#include <sddl.h>
// clang-format on

namespace quorvel::platform::win32 {

namespace {

constexpr wchar_t kClassName[] = L"Quorvel.RecycleBinWatcher";
constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr unsigned kDriveLetters = 26;

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring environment(const wchar_t* name) {
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::wstring value(length, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), length));
    return value;
}

// Under Wine the Recycle Bin is the desktop's XDG trash; Wine names its Windows path.
std::wstring wineTrash(FailureLog& failures) {
    using WineVersion = const char*(CDECL*)();
    using ToDosName = WCHAR*(CDECL*)(const char*);
    SystemLibrary ntdll(L"ntdll.dll", failures);
    if (ntdll.optionalFunction<WineVersion>("wine_get_version") == nullptr) {
        return {};
    }
    SystemLibrary kernel32(L"kernel32.dll", failures);
    const auto toDos = kernel32.function<ToDosName>("wine_get_dos_file_name");
    if (toDos == nullptr) {
        return {};
    }
    std::string unixPath = toUtf8(environment(L"XDG_DATA_HOME"));
    if (unixPath.empty()) {
        const std::string home = toUtf8(environment(L"HOME"));
        if (home.empty()) {
            return {};
        }
        unixPath = home + "/.local/share";
    }
    unixPath += "/Trash";
    WCHAR* dos = toDos(unixPath.c_str());
    if (dos == nullptr) {
        return {};
    }
    std::wstring trash(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    // The trash and its two folders exist once anything was deleted; making them now (as the
    // trash's own rules allow) lets the first delete be seen too.
    CreateDirectoryW(trash.c_str(), nullptr);
    CreateDirectoryW((trash + L"\\files").c_str(), nullptr);
    CreateDirectoryW((trash + L"\\info").c_str(), nullptr);
    return isFolder(trash) ? trash : std::wstring{};
}

std::wstring userSid() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        return {};
    }
    const KernelHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
        return {};
    }
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        return {};
    }
    const LocalMemory owned(text);
    return text;
}

}  // namespace

struct RecycleBinWatcher::Watch {
    RecycleBinWatcher* owner = nullptr;
    std::uint64_t id = 0;
    BinWatch what;
    // The drive is being taken out: nothing holds it open any more, and only the outcome of the
    // request is awaited.
    bool leaving = false;
    // Declared in the order they must go last to first: the loop waits on the notification no
    // longer once the wait is gone, and the drive is held open until the notification closes.
    DeviceNotification removal;
    KernelHandle folder;  // held to hear of the drive's removal, which a notification is not
    ChangeNotification changes;
    HandleWaits::Registration wait;

    void letGo() noexcept {
        wait = {};
        changes.reset();
        folder.reset();
    }
};

RecycleBinWatcher::RecycleBinWatcher(HINSTANCE instance, HandleWaits& waits, FailureLog& failures)
    : instance_(instance), waits_(waits), failures_(failures) {}

RecycleBinWatcher::~RecycleBinWatcher() = default;

bool RecycleBinWatcher::start(std::function<void()> changed) {
    changed_ = std::move(changed);
    if (!window_) {
        window_ = MessageWindow(instance_, kClassName, &RecycleBinWatcher::windowProc, this,
                                MessageWindow::Hears::Broadcasts);
        if (!window_) {
            return false;
        }
        if (std::wstring trash = wineTrash(failures_); !trash.empty()) {
            wine_ = true;
            add(BinWatch{'\0', toUtf8(trash), true});
        } else {
            userSid_ = toUtf8(userSid());
            replan();
        }
    }
    return !watches_.empty();
}

std::vector<BinDrive> RecycleBinWatcher::drives() const {
    std::vector<BinDrive> found;
    const DWORD present = GetLogicalDrives();
    for (unsigned i = 0; i < kDriveLetters; ++i) {
        const char letter = static_cast<char>('A' + i);
        const bool leaving = std::any_of(watches_.begin(), watches_.end(), [&](const auto& w) {
            return w->leaving && w->what.drive == letter;
        });
        if ((present & (1U << i)) == 0 || leaving) {
            continue;
        }
        const wchar_t root[] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', L'\0'};
        const UINT type = GetDriveTypeW(root);
        found.push_back({letter, type == DRIVE_FIXED       ? DriveKind::Fixed
                                 : type == DRIVE_REMOVABLE ? DriveKind::Removable
                                                           : DriveKind::Other});
    }
    return found;
}

void RecycleBinWatcher::replan() {
    if (wine_) {
        return;
    }
    std::vector<BinWatch> current;
    for (const auto& watch : watches_) {
        if (!watch->leaving) {
            current.push_back(watch->what);
        }
    }
    const std::vector<BinDrive> now = drives();
    const BinWatchChanges changes = changesBetween(current, binWatches(now, userSid_, files_));
    for (const BinWatch& gone : changes.dropped) {
        std::erase_if(watches_, [&](const auto& w) { return !w->leaving && w->what == gone; });
    }
    for (const BinWatch& what : changes.added) {
        add(what);
    }
}

void RecycleBinWatcher::add(const BinWatch& what) {
    auto watch = std::make_unique<Watch>();
    watch->owner = this;
    watch->id = nextId_++;
    watch->what = what;
    const std::wstring folder = toWide(what.folder);
    // A drive's root is only watched for its bin folder to appear.
    watch->changes.reset(
        FindFirstChangeNotificationW(folder.c_str(), what.subtree ? TRUE : FALSE,
                                     what.subtree ? kWatchedChanges : FILE_NOTIFY_CHANGE_DIR_NAME));
    if (!watch->changes) {
        failures_.record("FindFirstChangeNotificationW");
        return;  // chosen again, and tried again, with the next change of the drives
    }
    if (what.drive != '\0') {
        watch->folder.reset(CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
        if (watch->folder) {
            DEV_BROADCAST_HANDLE filter{};
            filter.dbch_size = sizeof(filter);
            filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
            filter.dbch_handle = watch->folder.get();
            watch->removal.reset(
                RegisterDeviceNotificationW(window_.get(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
        }
    }
    arm(*watch);
    watches_.push_back(std::move(watch));
}

void RecycleBinWatcher::arm(Watch& watch) {
    watch.wait = waits_.add(watch.changes.get(),
                            [this, id = watch.id] { failures_.guard([&] { signalledOn(id); }); });
}

void RecycleBinWatcher::signalledOn(std::uint64_t id) {
    const auto found = std::find_if(watches_.begin(), watches_.end(),
                                    [id](const auto& w) { return w->id == id && !w->leaving; });
    if (found == watches_.end()) {
        return;  // a watch dropped since it was signalled
    }
    Watch& watch = **found;
    // Signalled until asked for the next change; a notification that cannot be asked again
    // is no longer waited on (the safety poll still sees that bin).
    if (!failures_.check(FindNextChangeNotification(watch.changes.get()),
                         "FindNextChangeNotification")) {
        watch.wait = {};
    }
    // The change may be the bin folder or the user's own folder appearing, or one of them going.
    replan();
    report();
}

void RecycleBinWatcher::deviceChanged(WPARAM event, LPARAM data) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header == nullptr) {
        return;
    }
    if (header->dbch_devicetype == DBT_DEVTYP_HANDLE) {
        const HDEVNOTIFY about =
            reinterpret_cast<const DEV_BROADCAST_HANDLE*>(data)->dbch_hdevnotify;
        const auto found = std::find_if(watches_.begin(), watches_.end(), [about](const auto& w) {
            return w->removal.get() == about;
        });
        if (found == watches_.end()) {
            return;
        }
        if (event == DBT_DEVICEQUERYREMOVE) {
            // Asked to be taken out: the drive is let go of, and its removal's outcome awaited.
            (*found)->letGo();
            (*found)->leaving = true;
            return;
        }
        if (event == DBT_DEVICEQUERYREMOVEFAILED || event == DBT_DEVICEREMOVEPENDING ||
            event == DBT_DEVICEREMOVECOMPLETE) {
            // It stays after all, and is watched afresh, or it is gone.
            watches_.erase(found);
            replan();
            report();
        }
        return;
    }
    if (header->dbch_devicetype == DBT_DEVTYP_VOLUME &&
        (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE)) {
        // A drive came or went, and its bin's items with it.
        const DWORD units = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data)->dbcv_unitmask;
        std::erase_if(watches_, [units](const auto& w) {
            const int letter = w->what.drive - 'A';
            return w->leaving && letter >= 0 && (units & (1U << letter)) != 0;
        });
        replan();
        report();
    }
}

void RecycleBinWatcher::report() {
    if (!changed_) {
        return;
    }
    if (dispatcher_ != nullptr) {
        dispatcher_->dispatch([this] { changed_(); });
    } else {
        changed_();
    }
}

LRESULT CALLBACK RecycleBinWatcher::windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message != WM_DEVICECHANGE) {
        return DefWindowProcW(window, message, wp, lp);
    }
    auto* self = MessageWindow::ownerOf<RecycleBinWatcher>(window);
    if (self != nullptr) {
        self->failures_.guard([&] { self->deviceChanged(wp, lp); });
    }
    // Every request to take a drive out is granted: nothing here keeps it.
    return TRUE;
}

}  // namespace quorvel::platform::win32
