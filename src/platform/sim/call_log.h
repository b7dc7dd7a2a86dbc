#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform::sim {

// One ordered record of every call the program made into the simulated system, shared by all
// sim ports, so a test can check not only that something was asked but in which order.
class CallLog {
public:
    void add(std::string entry) { entries_.push_back(std::move(entry)); }
    void clear() noexcept { entries_.clear(); }
    [[nodiscard]] const std::vector<std::string>& entries() const noexcept { return entries_; }

    // Position of the first entry that starts with `prefix`, at or after `from`.
    [[nodiscard]] std::optional<std::size_t> find(std::string_view prefix,
                                                  std::size_t from = 0) const noexcept;
    [[nodiscard]] bool contains(std::string_view prefix) const noexcept {
        return find(prefix).has_value();
    }
    [[nodiscard]] std::size_t count(std::string_view prefix) const noexcept;

private:
    std::vector<std::string> entries_;
};

}  // namespace quorvel::platform::sim
