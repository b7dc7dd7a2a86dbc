#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

std::optional<std::size_t> CallLog::find(std::string_view prefix, std::size_t from) const noexcept {
    for (std::size_t i = from; i < entries_.size(); ++i) {
        if (std::string_view(entries_[i]).starts_with(prefix)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t CallLog::count(std::string_view prefix) const noexcept {
    std::size_t n = 0;
    for (const auto& e : entries_) {
        if (std::string_view(e).starts_with(prefix)) {
            ++n;
        }
    }
    return n;
}

}  // namespace quorvel::platform::sim
