#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_model.h"

namespace quorvel::settings {

// One fixed-width field of a settings record: its stored name, where it starts and how many
// bytes it takes.
struct FieldLayout {
    std::string name;
    std::size_t offset;
    std::size_t width;
};

// The fields of the dp.dat record (76 bytes) and of an sl.dat record (12088 bytes), in
// record order. Together they cover each record exactly, without gaps.
[[nodiscard]] const std::vector<FieldLayout>& dockRecordLayout();
[[nodiscard]] const std::vector<FieldLayout>& setRecordLayout();

// Length of the record a layout describes.
[[nodiscard]] std::size_t recordLength(const std::vector<FieldLayout>& layout);

// The record of `model`'s fields: each encoded, cut to its width without splitting a
// double-byte character, and padded with spaces. A character without a code is written as
// '?'.
[[nodiscard]] std::string encodeRecord(const SettingsModel& model,
                                       const std::vector<FieldLayout>& layout);

// Sets `model`'s fields of `layout` from `record`, keeping the padding. A record shorter than
// the layout leaves the missing fields empty (a field cut off in the middle keeps the bytes
// that are there); bytes beyond the layout are ignored.
void decodeRecord(std::string_view record, const std::vector<FieldLayout>& layout,
                  SettingsModel& model);

// The bytes of `field` that `record` holds (fewer than its width, or none, when the record
// is short).
[[nodiscard]] std::string_view fieldBytes(std::string_view record, const FieldLayout& field);

}  // namespace quorvel::settings
