#pragma once

#include <functional>
#include <string>

#include "platform/cleanup.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// The system calls a walk over the internet cache makes, so that the walk's handling of buffer
// sizes, errors and the enumeration handle can be checked against a stand-in.
class UrlCacheCalls {
public:
    virtual ~UrlCacheCalls() = default;
    // FindFirstUrlCacheEntryW: the enumeration, or null with lastError() telling why. On
    // ERROR_INSUFFICIENT_BUFFER `size` holds the size the entry needs.
    [[nodiscard]] virtual HANDLE findFirst(INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) = 0;
    // FindNextUrlCacheEntryW, answering in the same way.
    [[nodiscard]] virtual bool findNext(HANDLE walk, INTERNET_CACHE_ENTRY_INFOW* entry,
                                        DWORD* size) = 0;
    // FindCloseUrlCache.
    virtual void close(HANDLE walk) = 0;
    [[nodiscard]] virtual DWORD lastError() = 0;
};

// Visits every entry of the cache with its source address. An entry larger than the buffer
// makes the buffer grow to the size the system asks for, on the first call and on any next
// one, and the walk goes on with that same entry. "No more items" ends the walk, also when it
// comes first (an empty cache); any other error ends it as failed. The enumeration is closed
// on every way out, also when `visit` throws.
[[nodiscard]] UrlCacheWalk walkUrlCache(UrlCacheCalls& calls,
                                        const std::function<void(const std::string&)>& visit);

// The buffer a walk starts with, and the largest it grows to: an entry that claims more is
// taken for a fault of the cache and ends the walk with the system's "insufficient buffer".
inline constexpr DWORD kFirstCacheEntryBuffer = 4096;
inline constexpr DWORD kLargestCacheEntryBuffer = 16U << 20U;

}  // namespace quorvel::platform::win32
