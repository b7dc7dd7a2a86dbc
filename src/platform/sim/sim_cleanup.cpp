#include "platform/sim/sim_cleanup.h"

#include <algorithm>

namespace quorvel::platform::sim {

UrlCacheWalk SimCleanup::walkUrlCache(const std::function<void(const std::string&)>& visit) {
    ++walks;
    log_.add("walkUrlCache");
    if (duringWalk) {
        duringWalk();
    }
    if (firstError) {
        log_.add("walkUrlCache first failed " + std::to_string(*firstError));
        return {UrlCacheWalk::End::FirstFailed, *firstError};
    }
    ++openWalks;
    // The walk goes over what the cache held when it began, as the system's walk does.
    const std::vector<std::string> entries = cache;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (failAfter && i == *failAfter) {
            --openWalks;
            log_.add("walkUrlCache next failed " + std::to_string(nextError));
            return {UrlCacheWalk::End::NextFailed, nextError};
        }
        visit(entries[i]);
    }
    --openWalks;
    log_.add("walkUrlCache finished");
    return {};
}

bool SimCleanup::deleteUrlCacheEntry(const std::string& url) {
    log_.add("deleteUrlCacheEntry " + url);
    const auto found = std::find(cache.begin(), cache.end(), url);
    if (found == cache.end() || inUse.contains(url)) {
        return false;
    }
    cache.erase(found);
    deleted.push_back(url);
    return true;
}

HistoryClearing SimCleanup::clearUrlHistory() {
    log_.add("clearUrlHistory");
    if (historyCreateResult < 0) {
        return {HistoryClearing::Outcome::NotCreated, historyCreateResult};
    }
    if (historyClearResult < 0) {
        return {HistoryClearing::Outcome::NotCleared, historyClearResult};
    }
    history.clear();
    return {};
}

void SimCleanup::clearRecentDocuments() {
    log_.add("clearRecentDocuments");
    recentDocuments = 0;
}

bool SimCleanup::clearClipboard(const forms::Form* owner) {
    log_.add("clearClipboard owner=" + (owner != nullptr ? owner->name() : std::string("-")));
    if (clipboardHeld) {
        return false;
    }
    clipboard.clear();
    return true;
}

}  // namespace quorvel::platform::sim
