#include "platform/win32/cleanup.h"

#include <utility>

#include "platform/win32/strconv.h"
#include "platform/win32/system_library.h"
#include "platform/win32/url_cache_walk.h"
// clang-format off
#include <urlhist.h>
// clang-format on

namespace quorvel::platform::win32 {

// wininet's cache calls, from the system's own copy of the library.
class WinInet final : public UrlCacheCalls {
public:
    explicit WinInet(FailureLog& failures) : wininet_(L"wininet.dll", failures) {
        findFirst_ = wininet_.function<FindFirstFn>("FindFirstUrlCacheEntryW");
        findNext_ = wininet_.function<FindNextFn>("FindNextUrlCacheEntryW");
        close_ = wininet_.function<CloseFn>("FindCloseUrlCache");
        delete_ = wininet_.function<DeleteFn>("DeleteUrlCacheEntryW");
        if (findFirst_ == nullptr || findNext_ == nullptr || close_ == nullptr ||
            delete_ == nullptr) {
            loadError_ = wininet_.error() != 0 ? wininet_.error() : ERROR_PROC_NOT_FOUND;
        }
    }
    ~WinInet() override = default;
    WinInet(const WinInet&) = delete;
    WinInet& operator=(const WinInet&) = delete;

    // Why the library cannot be used (0 when it can).
    [[nodiscard]] DWORD loadError() const noexcept { return loadError_; }

    HANDLE findFirst(INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) override {
        return findFirst_(nullptr, entry, size);
    }
    bool findNext(HANDLE walk, INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) override {
        return findNext_(walk, entry, size) != FALSE;
    }
    void close(HANDLE walk) override { close_(walk); }
    DWORD lastError() override { return GetLastError(); }
    bool deleteEntry(const std::wstring& url) { return delete_(url.c_str()) != FALSE; }

private:
    using FindFirstFn = HANDLE(WINAPI*)(LPCWSTR, LPINTERNET_CACHE_ENTRY_INFOW, LPDWORD);
    using FindNextFn = BOOL(WINAPI*)(HANDLE, LPINTERNET_CACHE_ENTRY_INFOW, LPDWORD);
    using CloseFn = BOOL(WINAPI*)(HANDLE);
    using DeleteFn = BOOL(WINAPI*)(LPCWSTR);

    SystemLibrary wininet_;
    DWORD loadError_ = 0;
    FindFirstFn findFirst_ = nullptr;
    FindNextFn findNext_ = nullptr;
    CloseFn close_ = nullptr;
    DeleteFn delete_ = nullptr;
};

Win32Cleanup::Win32Cleanup(std::function<HWND(const forms::Form&)> windowOf, FailureLog& failures)
    : windowOf_(std::move(windowOf)), failures_(failures) {}

Win32Cleanup::~Win32Cleanup() = default;

WinInet* Win32Cleanup::wininet() {
    if (!wininet_) {
        wininet_ = std::make_unique<WinInet>(failures_);
    }
    return wininet_->loadError() == 0 ? wininet_.get() : nullptr;
}

UrlCacheWalk Win32Cleanup::walkUrlCache(const std::function<void(const std::string&)>& visit) {
    WinInet* calls = wininet();
    if (calls == nullptr) {
        return {UrlCacheWalk::End::FirstFailed, static_cast<long>(wininet_->loadError())};
    }
    return win32::walkUrlCache(*calls, visit);
}

bool Win32Cleanup::deleteUrlCacheEntry(const std::string& url) {
    WinInet* calls = wininet();
    return calls != nullptr && calls->deleteEntry(toWide(url));
}

HistoryClearing Win32Cleanup::clearUrlHistory() {
    if (!com_) {
        com_.emplace(failures_);
    }
    IUrlHistoryStg2* history = nullptr;
    const HRESULT created = com_->createInstance(CLSID_CUrlHistory, IID_IUrlHistoryStg2,
                                                 reinterpret_cast<void**>(&history),
                                                 CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER);
    if (FAILED(created) || history == nullptr) {
        return {HistoryClearing::Outcome::NotCreated,
                static_cast<std::int32_t>(FAILED(created) ? created : E_NOINTERFACE)};
    }
    const HRESULT cleared = history->ClearHistory();
    history->Release();
    if (FAILED(cleared)) {
        return {HistoryClearing::Outcome::NotCleared, static_cast<std::int32_t>(cleared)};
    }
    return {};
}

void Win32Cleanup::clearRecentDocuments() {
    // A null path with the path flag empties the whole list.
    SHAddToRecentDocs(SHARD_PATHW, nullptr);
}

bool Win32Cleanup::clearClipboard(const forms::Form* owner) {
    HWND window = owner != nullptr && windowOf_ ? windowOf_(*owner) : nullptr;
    // Another program may have the clipboard open for a moment (a clipboard manager copying
    // what was just put there): it is asked again a few times, then left as it is.
    for (int attempt = 0; attempt < kClipboardAttempts; ++attempt) {
        if (attempt > 0) {
            Sleep(kClipboardPauseMs);
        }
        if (OpenClipboard(window) != FALSE) {
            const BOOL emptied = EmptyClipboard();
            const DWORD error = GetLastError();
            CloseClipboard();
            if (emptied == FALSE) {
                failures_.record("EmptyClipboard", error);
            }
            return emptied != FALSE;
        }
    }
    failures_.record("OpenClipboard (held by another program)");
    return false;
}

}  // namespace quorvel::platform::win32
