// The walk over the internet cache against a stand-in for the cache's calls, the shut-down
// request that reaches the shell window and no other, and a dialog window's menu bar. Windows
// build only (run under Wine). None of these touches the user's cache, history or clipboard.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/pictures.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/shell.h"
#include "platform/win32/timer_service.h"
#include "platform/win32/units.h"
#include "platform/win32/url_cache_walk.h"
#include "platform/win32/window_host.h"

namespace quorvel::platform::win32 {
namespace {

// A cache of the given addresses, answering as wininet does: an entry that does not fit the
// buffer fails with ERROR_INSUFFICIENT_BUFFER and the size it needs, and the walk stays on it.
class FakeCache final : public UrlCacheCalls {
public:
    explicit FakeCache(std::vector<std::wstring> urls) : urls_(std::move(urls)) {}

    HANDLE findFirst(INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) override {
        ++firstCalls;
        if (firstError != 0) {
            error_ = firstError;
            return nullptr;
        }
        position_ = 0;
        if (!answer(0, entry, size)) {
            return nullptr;
        }
        ++open;
        return kHandle;
    }
    bool findNext(HANDLE walk, INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) override {
        EXPECT_EQ(walk, kHandle);
        if (failAt != 0 && position_ + 1 == failAt) {
            error_ = nextError;
            return false;
        }
        // A failed call leaves the walk where it was: the next call asks for the same entry.
        if (!answer(position_ + 1, entry, size)) {
            return false;
        }
        ++position_;
        return true;
    }
    void close(HANDLE walk) override {
        EXPECT_EQ(walk, kHandle);
        --open;
        ++closes;
    }
    DWORD lastError() override { return error_; }

    DWORD firstError = 0;
    std::size_t failAt = 0;  // the next call for entry failAt (counting from 1) fails
    DWORD nextError = 0;
    // A broken cache that asks for no more room than it was given.
    bool asksTooLittle = false;
    int open = 0;
    int closes = 0;
    int firstCalls = 0;
    std::vector<DWORD> offered;  // the buffer size of every call that found an entry too large

private:
    static inline const HANDLE kHandle = reinterpret_cast<HANDLE>(0x1234);

    bool answer(std::size_t position, INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) {
        if (position >= urls_.size()) {
            error_ = ERROR_NO_MORE_ITEMS;
            return false;
        }
        EXPECT_EQ(entry->dwStructSize, sizeof(INTERNET_CACHE_ENTRY_INFOW));
        const std::wstring& url = urls_[position];
        const DWORD needed = static_cast<DWORD>(sizeof(INTERNET_CACHE_ENTRY_INFOW) +
                                                (url.size() + 1) * sizeof(wchar_t));
        if (*size < needed) {
            offered.push_back(*size);
            *size = asksTooLittle ? *size : needed;
            error_ = ERROR_INSUFFICIENT_BUFFER;
            return false;
        }
        std::memset(entry, 0, sizeof(INTERNET_CACHE_ENTRY_INFOW));
        entry->dwStructSize = sizeof(INTERNET_CACHE_ENTRY_INFOW);
        auto* text = reinterpret_cast<wchar_t*>(entry + 1);
        std::memcpy(text, url.c_str(), (url.size() + 1) * sizeof(wchar_t));
        entry->lpszSourceUrlName = text;
        *size = needed;
        return true;
    }

    std::vector<std::wstring> urls_;
    std::size_t position_ = 0;
    DWORD error_ = 0;
};

std::vector<std::string> walkAll(FakeCache& cache, UrlCacheWalk& result) {
    std::vector<std::string> seen;
    result = walkUrlCache(cache, [&seen](const std::string& url) { seen.push_back(url); });
    return seen;
}

const std::wstring kLong = L"http://example.com/?" + std::wstring(6000, L'x');

TEST(UrlCacheWalk, AnEmptyCacheEndsAtOnceWithNothingToClose) {
    FakeCache cache({});
    UrlCacheWalk result;
    EXPECT_TRUE(walkAll(cache, result).empty());
    EXPECT_EQ(result.end, UrlCacheWalk::End::Finished);
    EXPECT_EQ(cache.closes, 0);
}

TEST(UrlCacheWalk, LargeEntriesFirstAndLaterMakeTheBufferGrowAndTheWalkGoesOn) {
    FakeCache cache({kLong, L"http://a/1", kLong + std::wstring(100, L'y'), L"http://日本/2"});
    UrlCacheWalk result;
    const std::vector<std::string> seen = walkAll(cache, result);
    EXPECT_EQ(result.end, UrlCacheWalk::End::Finished);
    ASSERT_EQ(seen.size(), 4U);
    EXPECT_EQ(seen[0].size(), 20U + 6000U);
    EXPECT_EQ(seen[1], "http://a/1");
    EXPECT_EQ(seen[2].size(), 20U + 6100U);
    EXPECT_EQ(seen[3], "http://日本/2");
    // Too small twice: at the first entry, and again for the longer one after it.
    ASSERT_EQ(cache.offered.size(), 2U);
    EXPECT_EQ(cache.offered[0], kFirstCacheEntryBuffer);
    EXPECT_GT(cache.offered[1], kFirstCacheEntryBuffer);
    EXPECT_EQ(cache.firstCalls, 2);
    EXPECT_EQ(cache.open, 0);
    EXPECT_EQ(cache.closes, 1);
}

struct FailureCase {
    const char* what;
    DWORD firstError;
    std::size_t failAt;
    bool asksTooLittle;
    UrlCacheWalk::End end;
    long error;
    std::size_t visited;
    int closes;
};

class UrlCacheWalkFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(UrlCacheWalkFailure, EndsWithTheSystemsNumberAndClosesWhatItOpened) {
    const FailureCase& c = GetParam();
    FakeCache cache({L"http://a/1", L"http://a/2", kLong});
    cache.firstError = c.firstError;
    cache.failAt = c.failAt;
    cache.nextError = ERROR_ACCESS_DENIED;
    cache.asksTooLittle = c.asksTooLittle;
    UrlCacheWalk result;
    EXPECT_EQ(walkAll(cache, result).size(), c.visited) << c.what;
    EXPECT_EQ(result.end, c.end) << c.what;
    EXPECT_EQ(result.error, c.error) << c.what;
    EXPECT_EQ(cache.closes, c.closes) << c.what;
    EXPECT_EQ(cache.open, 0) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Ends, UrlCacheWalkFailure,
    ::testing::Values(FailureCase{"cannot start", ERROR_FILE_NOT_FOUND, 0, false,
                                  UrlCacheWalk::End::FirstFailed, ERROR_FILE_NOT_FOUND, 0, 0},
                      FailureCase{"stops after two", 0, 2, false, UrlCacheWalk::End::NextFailed,
                                  ERROR_ACCESS_DENIED, 2, 1},
                      FailureCase{"a cache that asks for no more room", 0, 0, true,
                                  UrlCacheWalk::End::NextFailed, ERROR_INSUFFICIENT_BUFFER, 2, 1}));

TEST(UrlCacheWalk, AVisitThatThrowsStillClosesTheWalk) {
    FakeCache cache({L"http://a/1", L"http://a/2"});
    EXPECT_THROW(static_cast<void>(walkUrlCache(
                     cache, [](const std::string&) { throw std::runtime_error("stop"); })),
                 std::runtime_error);
    EXPECT_EQ(cache.closes, 1);
    EXPECT_EQ(cache.open, 0);
}

// A top-level window that notes every close command it receives.
class Listener {
public:
    explicit Listener(const wchar_t* className) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Listener::proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, wc.hInstance, this);
        className_ = className;
    }
    ~Listener() {
        DestroyWindow(window_);
        UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    [[nodiscard]] HWND window() const noexcept { return window_; }
    int closeCommands = 0;
    int closeMessages = 0;

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Listener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_SYSCOMMAND && (wp & 0xFFF0U) == SC_CLOSE) {
            ++self->closeCommands;
            return 0;
        }
        if (self != nullptr && message == WM_CLOSE) {
            ++self->closeMessages;
            return 0;
        }
        return DefWindowProcW(window, message, wp, lp);
    }

    HWND window_ = nullptr;
    std::wstring className_;
};

void pump() {
    MSG msg{};
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

TEST(ShutDownOptions, OnlyTheShellWindowIsAskedAndNoShellWindowMeansNothingIsSent) {
    Listener shellWindow(L"QuorvelTest.Shell");
    Listener bystander(L"QuorvelTest.Bystander");
    FailureLog failures;
    HandleWaits waits;
    Win32Shell shell(GetModuleHandleW(nullptr), nullptr, waits, failures);

    shell.setShellWindowFinder([&] { return shellWindow.window(); });
    EXPECT_TRUE(shell.requestShutDownOptions());
    pump();
    EXPECT_EQ(shellWindow.closeCommands, 1);
    EXPECT_EQ(bystander.closeCommands, 0);
    EXPECT_EQ(bystander.closeMessages, 0);

    shell.setShellWindowFinder([] { return HWND{nullptr}; });
    EXPECT_FALSE(shell.requestShutDownOptions());
    pump();
    EXPECT_EQ(shellWindow.closeCommands, 1);
    EXPECT_EQ(bystander.closeCommands, 0);
    EXPECT_EQ(bystander.closeMessages, 0);
}

class NoticeForm : public forms::Form {
public:
    explicit NoticeForm(forms::FormServices services)
        : Form("CleanupTestNotice", services, {1500, 1500, 1800, 0}) {
        forms::MenuItem& file = addMenu("File", "File");
        file.addChild("Hidden", "見えない").setVisible(false);
        file.addChild("Clip", "クリップボードのクリア").onClick = [this] { ++chosen; };
        setStyle(forms::FormStyle::Dialog);
        setCaption("削除しています...");
        announce();
    }
    int chosen = 0;
};

TEST(MenuBar, ADialogCarriesItsMenusAsAMenuBarThatRunsTheChosenEntry) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    FailureLog failures;
    Win32WindowHost host(instance, failures);
    Win32TimerService timers(instance, failures);
    WicPictures pictures(failures);
    NoticeForm form(forms::FormServices{host, timers, pictures});
    const forms::Size plain = form.windowSize();
    host.sync();
    HWND window = host.windowOf(form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);

    form.setMenuBar(true);
    const forms::Size withBar = form.windowSize();
    EXPECT_EQ(withBar.width, plain.width);
    EXPECT_GT(withBar.height, plain.height);
    form.show();
    host.updateNow();
    HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    wchar_t text[32] = {};
    GetMenuStringW(bar, 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"File");
    HMENU dropDown = GetSubMenu(bar, 0);
    ASSERT_NE(dropDown, nullptr);
    ASSERT_EQ(GetMenuItemCount(dropDown), 1);
    // The window's whole height is what the form was told, and the client area has none.
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom - client.top, 0);
    const int dpi = static_cast<int>(GetDpiForWindow(window));
    EXPECT_NEAR(pixelsToTwips(outer.bottom - outer.top, dpi), withBar.height, 15);

    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(dropDown, 0), 0), 0);
    EXPECT_EQ(form.chosen, 1);

    form.setMenuBar(false);
    host.sync();
    EXPECT_EQ(GetMenu(window), nullptr);
}

}  // namespace
}  // namespace quorvel::platform::win32

#endif  // _WIN32
