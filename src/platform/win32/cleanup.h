#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/cleanup.h"
#include "platform/win32/com_library.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

class WinInet;

// The user's traces through wininet, the shell, COM and the clipboard. wininet is loaded the
// first time the cache is cleared: most sessions never do, and the bar's start does not pay
// for it.
class Win32Cleanup final : public Cleanup {
public:
    // A clipboard that could not be emptied is noted in `failures`: the person is not told.
    Win32Cleanup(std::function<HWND(const forms::Form&)> windowOf, FailureLog& failures);
    ~Win32Cleanup() override;
    Win32Cleanup(const Win32Cleanup&) = delete;
    Win32Cleanup& operator=(const Win32Cleanup&) = delete;

    UrlCacheWalk walkUrlCache(const std::function<void(const std::string&)>& visit) override;
    bool deleteUrlCacheEntry(const std::string& url) override;
    HistoryClearing clearUrlHistory() override;
    void clearRecentDocuments() override;
    bool clearClipboard(const forms::Form* owner) override;

    // A clipboard held open by another program is tried this often, this far apart.
    static constexpr int kClipboardAttempts = 10;
    static constexpr DWORD kClipboardPauseMs = 25;

private:
    WinInet* wininet();

    std::function<HWND(const forms::Form&)> windowOf_;
    FailureLog& failures_;
    std::unique_ptr<WinInet> wininet_;
    std::optional<ComLibrary> com_;
};

}  // namespace quorvel::platform::win32
