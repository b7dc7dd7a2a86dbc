#pragma once

#include "settings/bar_dimensions.h"
#include "settings/settings_model.h"

namespace quorvel::settings {

// The two writers prepare the fields alike and differ only in what an empty FTop becomes:
// the bar's save keeps the bar a normal window, the settings window's save keeps it on top.
enum class Writer { Bar, SettingsWindow };

// Fills in what a save needs before the record is written: RNo "1" when empty, every empty
// separator flag "0", FWdth from the first free slot (the bar ends where it would begin) with
// the separator in front of every free slot cleared, Clr "しない" when empty and FTop as the
// writer wants it. Returns the set number the record goes to (RNo as a 16-bit number).
int prepareForSave(SettingsModel& model, Writer writer);

}  // namespace quorvel::settings
