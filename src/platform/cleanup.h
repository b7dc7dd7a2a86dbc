#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "forms/form.h"

namespace quorvel::platform {

// The system's error number for "no more items": a walk over an empty cache ends with it.
inline constexpr long kNoMoreItems = 259;

// How a walk over the internet cache ended.
struct UrlCacheWalk {
    enum class End {
        Finished,     // every entry was visited (none, when the cache was empty)
        FirstFailed,  // the walk could not start; nothing was visited
        NextFailed,   // the walk stopped after the entries visited so far
    };
    End end = End::Finished;
    long error = 0;  // the system's error number when a call failed
};

// How clearing the internet history went. The result is the system's COM result code.
struct HistoryClearing {
    enum class Outcome {
        Cleared,
        NotCreated,  // the system's history object could not be made
        NotCleared,  // the object refused to clear (Wine answers "not implemented")
    };
    Outcome outcome = Outcome::Cleared;
    std::int32_t result = 0;
};

// The COM result "not implemented".
inline constexpr std::int32_t kNotImplemented = static_cast<std::int32_t>(0x80004001U);

// The traces of browsing and working the system keeps for the user: the internet cache and
// history, the list of recently used documents, and the clipboard. Every call changes the
// user's own state on the real system.
class Cleanup {
public:
    virtual ~Cleanup() = default;

    // Walks the internet cache, entry by entry, calling `visit` with each entry's source
    // address; `visit` may delete the entry it is given. However large an entry, the walk takes
    // it and goes on; it is closed on every path.
    virtual UrlCacheWalk walkUrlCache(const std::function<void(const std::string&)>& visit) = 0;
    // False when the entry could not be deleted (it is in use, or already gone).
    virtual bool deleteUrlCacheEntry(const std::string& url) = 0;

    // Clears the browser's history of visited addresses.
    virtual HistoryClearing clearUrlHistory() = 0;

    // Empties the shell's list of recently used documents.
    virtual void clearRecentDocuments() = 0;

    // Empties the clipboard for `owner`'s window. Another program may hold the clipboard open
    // for a moment; the call waits for it briefly and then gives up: false.
    virtual bool clearClipboard(const forms::Form* owner) = 0;
};

}  // namespace quorvel::platform
