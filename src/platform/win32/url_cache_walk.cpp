#include "platform/win32/url_cache_walk.h"

#include <cstdint>
#include <vector>

#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

// An entry record followed by the texts it points into, aligned as the record needs.
class EntryBuffer {
public:
    EntryBuffer() { words_.resize(wordsFor(kFirstCacheEntryBuffer)); }

    [[nodiscard]] INTERNET_CACHE_ENTRY_INFOW* entry() noexcept {
        return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(words_.data());
    }
    [[nodiscard]] DWORD size() const noexcept {
        return static_cast<DWORD>(words_.size() * sizeof(std::uint64_t));
    }
    // Before each call: the whole buffer is offered, and the record says which it is.
    DWORD prepare() noexcept {
        entry()->dwStructSize = sizeof(INTERNET_CACHE_ENTRY_INFOW);
        return size();
    }
    // False when the system asks for no more than there is, or for an absurd amount: asking
    // again would only loop.
    bool growTo(DWORD asked) {
        if (asked <= size() || asked > kLargestCacheEntryBuffer) {
            return false;
        }
        words_.assign(wordsFor(asked), 0);
        return true;
    }

private:
    static std::size_t wordsFor(DWORD bytes) noexcept {
        return (static_cast<std::size_t>(bytes) + sizeof(std::uint64_t) - 1) /
               sizeof(std::uint64_t);
    }
    std::vector<std::uint64_t> words_;
};

class WalkHandle {
public:
    WalkHandle(UrlCacheCalls& calls, HANDLE handle) noexcept : calls_(calls), handle_(handle) {}
    ~WalkHandle() { calls_.close(handle_); }
    WalkHandle(const WalkHandle&) = delete;
    WalkHandle& operator=(const WalkHandle&) = delete;

private:
    UrlCacheCalls& calls_;
    HANDLE handle_;
};

enum class Fetch { Entry, End, Failed };

// One call, repeated with a larger buffer for as long as the entry does not fit.
template <class Call>
Fetch fetch(UrlCacheCalls& calls, EntryBuffer& buffer, DWORD& error, Call call) {
    for (;;) {
        DWORD size = buffer.prepare();
        if (call(buffer.entry(), &size)) {
            return Fetch::Entry;
        }
        error = calls.lastError();
        if (error == ERROR_INSUFFICIENT_BUFFER && buffer.growTo(size)) {
            continue;
        }
        return error == ERROR_NO_MORE_ITEMS ? Fetch::End : Fetch::Failed;
    }
}

}  // namespace

UrlCacheWalk walkUrlCache(UrlCacheCalls& calls,
                          const std::function<void(const std::string&)>& visit) {
    EntryBuffer buffer;
    DWORD error = 0;
    HANDLE handle = nullptr;
    const Fetch first =
        fetch(calls, buffer, error, [&](INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) {
            handle = calls.findFirst(entry, size);
            return handle != nullptr;
        });
    if (first == Fetch::End) {
        return {};
    }
    if (first == Fetch::Failed) {
        return {UrlCacheWalk::End::FirstFailed, static_cast<long>(error)};
    }
    const WalkHandle closer(calls, handle);
    for (;;) {
        if (const wchar_t* url = buffer.entry()->lpszSourceUrlName; url != nullptr) {
            visit(toUtf8(url));
        }
        const Fetch next =
            fetch(calls, buffer, error, [&](INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) {
                return calls.findNext(handle, entry, size);
            });
        if (next == Fetch::End) {
            return {};
        }
        if (next == Fetch::Failed) {
            return {UrlCacheWalk::End::NextFailed, static_cast<long>(error)};
        }
    }
}

}  // namespace quorvel::platform::win32
