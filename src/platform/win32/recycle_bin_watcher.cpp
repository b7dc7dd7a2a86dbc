#include "platform/win32/recycle_bin_watcher.h"

#include <string>
#include <utility>

#include "platform/win32/strconv.h"
#include "platform/win32/system_library.h"
// clang-format off
#include <sddl.h>
// clang-format on

namespace quorvel::platform::win32 {

namespace {

constexpr wchar_t kClassName[] = L"Quorvel.RecycleBinWatcher";
constexpr UINT kChangedMessage = WM_APP + 1;
constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

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
    std::size_t index = 0;
    ChangeNotification handle;
    HANDLE wait = nullptr;
};

std::vector<std::wstring> RecycleBinWatcher::binFolders() {
    if (std::wstring trash = wineTrash(failures_); !trash.empty()) {
        return {trash};
    }
    std::vector<std::wstring> folders;
    const std::wstring sid = userSid();
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (1U << letter)) == 0) {
            continue;
        }
        const std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + letter)) + L":\\";
        if (GetDriveTypeW(root.c_str()) != DRIVE_FIXED) {
            continue;
        }
        const std::wstring bin = root + L"$Recycle.Bin";
        if (!sid.empty() && isFolder(bin + L"\\" + sid)) {
            folders.push_back(bin + L"\\" + sid);
        } else if (isFolder(bin)) {
            folders.push_back(bin);
        }
    }
    return folders;
}

RecycleBinWatcher::RecycleBinWatcher(HINSTANCE instance, FailureLog& failures)
    : instance_(instance), failures_(failures) {}

RecycleBinWatcher::~RecycleBinWatcher() {
    for (auto& watch : watches_) {
        if (watch->wait != nullptr) {
            // Waits for a callback that is running right now; none can start afterwards.
            UnregisterWaitEx(watch->wait, INVALID_HANDLE_VALUE);
        }
    }
    watches_.clear();
}

bool RecycleBinWatcher::start(std::function<void()> changed) {
    changed_ = std::move(changed);
    if (!window_) {
        window_ = MessageWindow(instance_, kClassName, &RecycleBinWatcher::windowProc, this);
        if (!window_) {
            return false;
        }
        for (std::wstring& folder : binFolders()) {
            auto watch = std::make_unique<Watch>();
            watch->owner = this;
            watch->index = watches_.size();
            watch->handle.reset(
                FindFirstChangeNotificationW(folder.c_str(), TRUE, kWatchedChanges));
            if (!watch->handle) {
                failures_.record("FindFirstChangeNotificationW");
                continue;
            }
            if (!failures_.check(
                    RegisterWaitForSingleObject(
                        &watch->wait, watch->handle.get(), &RecycleBinWatcher::signalled,
                        watch.get(), INFINITE, WT_EXECUTEONLYONCE | WT_EXECUTEINWAITTHREAD),
                    "RegisterWaitForSingleObject")) {
                continue;
            }
            watches_.push_back(std::move(watch));
            folders_.push_back(std::move(folder));
        }
    }
    return !watches_.empty();
}

// On a thread of the pool: only hands the signal to the user-interface thread.
void CALLBACK RecycleBinWatcher::signalled(void* context, BOOLEAN /*timedOut*/) {
    auto* watch = static_cast<Watch*>(context);
    PostMessageW(watch->owner->window_.get(), kChangedMessage, watch->index, 0);
}

void RecycleBinWatcher::rearm(Watch& watch) {
    if (watch.wait != nullptr) {
        // The wait ran once and is over; this only frees it.
        UnregisterWaitEx(watch.wait, nullptr);
        watch.wait = nullptr;
    }
    if (failures_.check(FindNextChangeNotification(watch.handle.get()),
                        "FindNextChangeNotification")) {
        failures_.check(RegisterWaitForSingleObject(&watch.wait, watch.handle.get(),
                                                    &RecycleBinWatcher::signalled, &watch, INFINITE,
                                                    WT_EXECUTEONLYONCE | WT_EXECUTEINWAITTHREAD),
                        "RegisterWaitForSingleObject");
    }
}

void RecycleBinWatcher::changed(std::size_t index) {
    if (index >= watches_.size()) {
        return;
    }
    rearm(*watches_[index]);
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
    if (message == kChangedMessage) {
        auto* self = MessageWindow::ownerOf<RecycleBinWatcher>(window);
        if (self != nullptr) {
            self->failures_.guard([&] { self->changed(static_cast<std::size_t>(wp)); });
        }
        return 0;
    }
    return DefWindowProcW(window, message, wp, lp);
}

}  // namespace quorvel::platform::win32
