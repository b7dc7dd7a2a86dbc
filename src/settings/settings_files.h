#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/result.h"
#include "settings/settings_model.h"

namespace quorvel::settings {

inline constexpr std::uint64_t kDockRecordLength = 76;
inline constexpr std::uint64_t kSetRecordLength = 12088;

// What went wrong with the settings files, for the windows to put into words.
struct StorageError {
    enum class Kind {
        FolderNotMade,        // the UsrData folder could not be made
        NotRead,              // a file could not be read
        NotSaved,             // a file could not be written
        NoSuchSetNumber,      // a set number below 1 was asked for
        SetNumberOutOfRange,  // a save under a number outside 1 to 4
    };
    Kind kind = Kind::NotRead;
    std::string path;       // the file or folder
    platform::Error cause;  // what the system said, when it said something
    int set = 0;            // the set number, for the number kinds
};
template <class T>
using StorageResult = platform::Result<T, StorageError>;
using StorageStatus = StorageResult<platform::Done>;

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
    StorageStatus ensureFolder();

    // Number of sets stored: file length / 12088, a half rounding to the even neighbour.
    // Creates an empty sl.dat when there is none.
    StorageResult<std::int32_t> countSets();

    // Set record n (1-based) decoded into the launcher-set fields of a fresh model; values keep
    // their padding. Bytes missing at the end of the file read as empty fields.
    StorageResult<SettingsModel> readSet(int n);

    // dp.dat record 1 decoded into the dock-wide fields of a fresh model (creates an empty
    // dp.dat when there is none, as opening it for random access would).
    StorageResult<SettingsModel> readDock();

    // Writes dp.dat record 1, then sl.dat record `setNumber`, each as its own atomic replace.
    // The other records of sl.dat and any bytes of dp.dat beyond its record survive byte for
    // byte. Fields are written exactly as they stand; run prepareForSave first. A set number
    // outside 1..4 is refused before anything is written: a stray RNo would otherwise grow
    // sl.dat to hundreds of megabytes.
    StorageStatus write(const SettingsModel& model, int setNumber);

private:
    platform::FileSystem& files_;
    std::string workingFolder_;
    std::string user_;
};

}  // namespace quorvel::settings
