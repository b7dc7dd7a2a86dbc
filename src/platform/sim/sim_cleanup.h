#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/cleanup.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// The user's traces as a test sets them up: the cache's entries, how its walk and the history
// answer, the recent documents and the clipboard. Every call is recorded.
class SimCleanup final : public Cleanup {
public:
    explicit SimCleanup(CallLog& log) : log_(log) {}

    UrlCacheWalk walkUrlCache(const std::function<void(const std::string&)>& visit) override;
    bool deleteUrlCacheEntry(const std::string& url) override;
    HistoryClearing clearUrlHistory() override;
    void clearRecentDocuments() override;
    bool clearClipboard(const forms::Form* owner) override;

    // --- set up by the test ---
    // The cache's entries by source address, in the order a walk meets them.
    std::vector<std::string> cache;
    // Entries another program has in use: they cannot be deleted.
    std::set<std::string> inUse;
    // The walk cannot start, with this error (an empty cache is not an error: it ends at once).
    std::optional<long> firstError;
    // After this many entries the next one cannot be fetched, with `nextError`.
    std::optional<std::size_t> failAfter;
    long nextError = 0;
    // The COM results of making the history object and of asking it to clear.
    std::int32_t historyCreateResult = 0;
    std::int32_t historyClearResult = 0;
    std::vector<std::string> history;
    int recentDocuments = 0;
    bool clipboardHeld = false;  // another program keeps it open
    std::string clipboard;
    // Runs as a walk begins: a test looks at the screen while the program waits on the system.
    std::function<void()> duringWalk;

    // --- what the program asked ---
    int walks = 0;
    int openWalks = 0;  // walks begun and not yet closed
    std::vector<std::string> deleted;

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
