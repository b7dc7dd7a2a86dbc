#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_model.h"

namespace quorvel::settings {

// What a stored field is, for the few rules that treat kinds of field apart.
enum class FieldGroup {
    Dock,         // TaskB, DockPos, FntName, FStyle, FrColor: shared by every set (dp.dat)
    SetNumber,    // RNo
    BarWidth,     // FWdth, which the saves compute
    SetOption,    // FTop, Clr, BkStrch
    Picture,      // the seven item pictures and the background
    Separator,    // S1E .. S16E
    SlotType,     // L1T .. L17T
    SlotName,     // L1N .. L17N
    SlotPicture,  // L1I .. L17I
    SlotPath,     // L1P .. L17P
    SetName,      // LN1 .. LN4: read from the first set loaded only
};

// One stored field: its name, where it lies in its record, what it is, the value a set
// without it takes, and how a message names it. This table is the one list of stored fields:
// reading, trimming, defaults, the settings window's copy and saving are loops over it.
struct FieldLayout {
    std::string name;
    std::size_t offset = 0;
    std::size_t width = 0;
    FieldGroup group = FieldGroup::Dock;
    int index = 0;  // the slot, separator or set name counting from 1; 0 for a single field
    std::string defaultValue;
    std::string caption;
    std::string SettingsModel::*member = nullptr;  // the single fields' place in the model
};

// The fields of the dp.dat record (76 bytes) and of an sl.dat record (12088 bytes), in
// record order. Together they cover each record exactly, without gaps.
[[nodiscard]] const std::vector<FieldLayout>& dockRecordLayout();
[[nodiscard]] const std::vector<FieldLayout>& setRecordLayout();
// The field of that stored name in either record, or null.
[[nodiscard]] const FieldLayout* findField(std::string_view name);

// The model's value of a field.
[[nodiscard]] std::string& valueOf(SettingsModel& model, const FieldLayout& field);
[[nodiscard]] const std::string& valueOf(const SettingsModel& model, const FieldLayout& field);

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

// Removes the padding of every field of `layout`, as a load does.
void trimFields(SettingsModel& model, const std::vector<FieldLayout>& layout);

// "リンク１" .. "リンク１７": how the window and its messages name slot n.
[[nodiscard]] std::string slotCaption(int n);

}  // namespace quorvel::settings
