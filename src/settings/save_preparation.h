#pragma once

#include "forms/geometry.h"
#include "settings/settings_model.h"

namespace quorvel::settings {

// Bar width when slot 1 is free, and when all seventeen slots are in use.
inline constexpr forms::Twips kEmptyBarWidth = 2280;
inline constexpr forms::Twips kFullBarWidth = 12495;

// Left edge of link slot image n (1..17) on the bar: the slots sit 600 twips apart from 2280.
[[nodiscard]] constexpr forms::Twips slotLeft(int n) noexcept {
    return 2280 + 600 * (n - 1);
}

// The two writers prepare the fields alike and differ only in what an empty FTop becomes:
// the bar's save keeps the bar a normal window, the settings window's save keeps it on top.
enum class Writer { Bar, SettingsWindow };

// Fills in what a save needs before the record is written: RNo "1" when empty, every empty
// separator flag "0", FWdth from the first free slot (the bar ends where it would begin) with
// the separator in front of every free slot cleared, Clr "しない" when empty and FTop as the
// writer wants it. Returns the set number the record goes to (RNo as a 16-bit number).
int prepareForSave(SettingsModel& model, Writer writer);

}  // namespace quorvel::settings
