#include "settings/set_lookup.h"

#include <string_view>

#include "settings/record_layout.h"

namespace quorvel::settings {

namespace {

// A record that was never written (the gap left when a higher set was saved first) holds
// no set number: only blanks or NULs where RNo would be.
bool isBlank(std::string_view text) {
    return text.find_first_not_of(std::string_view(" \0", 2)) == std::string_view::npos;
}

}  // namespace

SetLookup lookUpSet(SettingsFiles& files, std::string_view number) {
    using Found = SetLookup::Found;
    SetLookup result;
    auto count = files.countSets();
    if (!count) {
        result.found = Found::Unreadable;
        result.error = count.error();
        return result;
    }
    result.storedSets = count.value();
    if (result.storedSets == 0) {
        result.found = Found::NoSetsYet;
        return result;
    }
    const int n = toInt16(number);
    if (numericValue(number) > result.storedSets) {
        result.found = Found::NotStored;
        result.number = n <= kSetCount ? n : 0;
        return result;
    }
    if (n < 1) {
        // There is no record 0 or below; such a number names no set rather than reading
        // before the start of the file.
        result.found = Found::NoNumber;
        return result;
    }
    result.number = n;
    auto record = files.readSet(n);
    if (!record) {
        result.found = Found::Unreadable;
        result.error = record.error();
        return result;
    }
    if (isBlank(record.value().RNo)) {
        result.found = Found::NotStored;
        return result;
    }
    result.found = Found::Set;
    result.fields = std::move(record).value();
    trimFields(result.fields, setRecordLayout());
    return result;
}

void applySetDefaults(SettingsModel& model) {
    for (const FieldLayout& f : setRecordLayout()) {
        if (f.group != FieldGroup::SetNumber && f.group != FieldGroup::SetName) {
            valueOf(model, f) = f.defaultValue;
        }
    }
}

}  // namespace quorvel::settings
