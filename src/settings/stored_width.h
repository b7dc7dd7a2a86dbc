#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_model.h"

namespace quorvel::settings {

// The bytes a stored field takes in its record ("L3N" 40, "L3P" 260, "LN2" 20), or 0 for a name
// that is not stored.
[[nodiscard]] std::size_t storedWidth(std::string_view field);

// The longest beginning of `text` whose Shift-JIS form fits in `width` bytes, never ending in
// half a character. A character without a code counts one byte, the '?' it would be written as.
[[nodiscard]] std::string fitStoredWidth(std::string_view text, std::size_t width);

// A field whose value the settings files cannot hold as it stands.
struct Unstorable {
    std::string field;                    // its stored name
    std::vector<std::string> characters;  // characters Shift-JIS has no code for, in order
    bool tooLong = false;                 // longer than its width: the end would be cut off
};

// The first field of the dock record and then of the set record that would not come back from
// the files as it is: one holding a character without a code (written as '?') or one longer
// than its width. Either would silently break a path; nullopt when every field is storable.
[[nodiscard]] std::optional<Unstorable> findUnstorable(const SettingsModel& model);
// The same for one value meant for the stored field of that name.
[[nodiscard]] std::optional<Unstorable> findUnstorable(std::string_view field,
                                                       std::string_view value);

}  // namespace quorvel::settings
