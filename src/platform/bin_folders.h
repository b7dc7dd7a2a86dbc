#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quorvel::platform {

// What the system says a drive letter stands for, as far as Recycle Bins go: a fixed disk, a
// removable one (a memory card, a stick, a disk that can be taken out), or anything else (a
// network share, an optical drive, a RAM disk), which keeps no Recycle Bin.
enum class DriveKind { Fixed, Removable, Other };

struct BinDrive {
    char letter = 'C';
    DriveKind kind = DriveKind::Fixed;
};

// A folder whose changes tell of a change of the user's Recycle Bin on one drive, and whether
// changes anywhere below it count or only new and removed folders in it.
struct BinWatch {
    char drive = 'C';
    std::string folder;  // UTF-8
    bool subtree = true;
    friend bool operator==(const BinWatch&, const BinWatch&) = default;
};

// On Windows every drive keeps its Recycle Bin in "X:\$Recycle.Bin", each user's part in a
// folder named after the user's security identifier, made with the user's first delete there.
// For each drive that can hold a bin this watches the user's own folder; while that does not
// exist, the bin folder, in which it will appear; while the drive has no bin folder either, the
// drive's root, for the bin folder to appear. Floppy drives (A: and B:) are never asked: asking
// would set them spinning.
[[nodiscard]] std::vector<BinWatch> binWatches(std::span<const BinDrive> drives,
                                               const std::string& userSid, FileSystem& files);

// What takes the watches in place to the ones wanted: those to stop, and those to start.
struct BinWatchChanges {
    std::vector<BinWatch> dropped;
    std::vector<BinWatch> added;
};
[[nodiscard]] BinWatchChanges changesBetween(std::span<const BinWatch> current,
                                             std::span<const BinWatch> wanted);

}  // namespace quorvel::platform
