#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/settings_files.h"
#include "settings/settings_model.h"

namespace quorvel::settings {

// What looking for a launcher set in the files found. The bar loads its set this way, and the
// settings window reads the set it shows this way when the bar has moved on to another.
struct SetLookup {
    enum class Found {
        Set,         // read: `fields` holds its set record, trimmed
        NoSetsYet,   // sl.dat holds no set at all: a first start
        NotStored,   // beyond the sets stored, or a record that was never written
        NoNumber,    // the number names no record (empty, 0, negative, text)
        Unreadable,  // the files could not be read; `error` says why
    };
    Found found = Found::NoSetsYet;
    // The record number asked for, as far as there is one: 0 for NoNumber, for a number beyond
    // the four sets, and when the sets could not even be counted.
    int number = 0;
    std::int32_t storedSets = 0;
    SettingsModel fields;
    std::optional<StorageError> error;
};

// Looks for set `number` (RNo's text, read leniently) in the files.
[[nodiscard]] SetLookup lookUpSet(SettingsFiles& files, std::string_view number);

// The set fields (RNo and the set names aside) of a set that is not stored: every field takes
// its default.
void applySetDefaults(SettingsModel& model);

}  // namespace quorvel::settings
