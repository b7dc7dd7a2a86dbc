#include "platform/bin_folders.h"

#include <algorithm>

namespace quorvel::platform {

namespace {

bool contains(std::span<const BinWatch> watches, const BinWatch& watch) {
    return std::find(watches.begin(), watches.end(), watch) != watches.end();
}

}  // namespace

std::vector<BinWatch> binWatches(std::span<const BinDrive> drives, const std::string& userSid,
                                 FileSystem& files) {
    std::vector<BinWatch> watches;
    for (const BinDrive& drive : drives) {
        const bool floppy =
            drive.kind == DriveKind::Removable && (drive.letter == 'A' || drive.letter == 'B');
        if (drive.kind == DriveKind::Other || floppy) {
            continue;
        }
        const std::string root = std::string(1, drive.letter) + ":\\";
        const std::string bin = root + "$Recycle.Bin";
        if (!userSid.empty() && files.directoryExists(bin + "\\" + userSid)) {
            watches.push_back({drive.letter, bin + "\\" + userSid, true});
        } else if (files.directoryExists(bin)) {
            watches.push_back({drive.letter, bin, true});
        } else if (files.directoryExists(root)) {
            watches.push_back({drive.letter, root, false});
        }
    }
    return watches;
}

BinWatchChanges changesBetween(std::span<const BinWatch> current,
                               std::span<const BinWatch> wanted) {
    BinWatchChanges changes;
    for (const BinWatch& watch : current) {
        if (!contains(wanted, watch)) {
            changes.dropped.push_back(watch);
        }
    }
    for (const BinWatch& watch : wanted) {
        if (!contains(current, watch)) {
            changes.added.push_back(watch);
        }
    }
    return changes;
}

}  // namespace quorvel::platform
