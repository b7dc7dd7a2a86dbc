#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/result.h"
#include "settings/settings_model.h"

namespace quorvel::settings {

inline constexpr std::uint64_t kDockRecordLength = 76;
inline constexpr std::uint64_t kSetRecordLength = 12088;

// The two per-user settings files below <working folder>\UsrData: "<user>dp.dat" with one
// 76-byte record of dock-wide fields, "<user>sl.dat" with one 12088-byte record per launcher
// set. Every call opens, transfers one record and lets go of the file again.
class SettingsFiles {
public:
    SettingsFiles(platform::FileSystem& files, std::string workingFolder, std::string user);

    [[nodiscard]] std::string folder() const;    // <working folder>\UsrData
    [[nodiscard]] std::string dockPath() const;  // ...\<user>dp.dat
    [[nodiscard]] std::string setsPath() const;  // ...\<user>sl.dat

    // Creates the UsrData folder when it is missing (start-up does this for the bar; the
    // settings tool needs it before its first write).
    platform::Status ensureFolder();

    // Number of sets stored: file length / 12088, a half rounding to the even neighbour.
    // Creates an empty sl.dat when there is none.
    platform::Result<std::int32_t> countSets();

    // Set record n (1-based) decoded into the launcher-set fields of a fresh model; values keep
    // their padding. Bytes missing at the end of the file read as empty fields.
    platform::Result<SettingsModel> readSet(int n);

    // dp.dat record 1 decoded into the dock-wide fields of a fresh model (creates an empty
    // dp.dat when there is none, as opening it for random access would).
    platform::Result<SettingsModel> readDock();

    // Writes dp.dat record 1, then sl.dat record `setNumber`, each as its own atomic replace.
    // The other records of sl.dat and any bytes of dp.dat beyond its record survive byte for
    // byte. Fields are written exactly as they stand; run prepareForSave first. A set number
    // outside 1..4 is refused before anything is written: a stray RNo would otherwise grow
    // sl.dat to hundreds of megabytes.
    platform::Status write(const SettingsModel& model, int setNumber);

private:
    platform::FileSystem& files_;
    std::string workingFolder_;
    std::string user_;
};

}  // namespace quorvel::settings
