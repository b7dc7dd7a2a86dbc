// Which folders the Windows Recycle Bin watcher watches on which drives, on a simulated disk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/bin_folders.h"
#include "platform/sim/sim_file_system.h"

namespace quorvel::testing {
namespace {

using platform::BinDrive;
using platform::BinWatch;
using platform::DriveKind;
using Watches = std::vector<BinWatch>;

class BinFolders : public ::testing::Test {
protected:
    platform::sim::SimFileSystem disk;
    const std::string sid = "S-1-5-21-7-8-9-1001";
    const std::string userBin = "$Recycle.Bin\\" + sid;
};

TEST_F(BinFolders, EveryDriveThatCanHoldABinIsWatchedWhereTheUsersDeletesShow) {
    disk.addDirectory("C:\\" + userBin);
    disk.addDirectory("D:\\$Recycle.Bin\\S-1-5-18");  // only another user has deleted here
    disk.addDirectory("E:\\");                        // a stick nothing was ever deleted from
    disk.addDirectory("A:\\$Recycle.Bin");            // a floppy disk
    disk.addDirectory("M:\\$Recycle.Bin");            // a network share
    const std::vector<BinDrive> drives = {{'A', DriveKind::Removable}, {'C', DriveKind::Fixed},
                                          {'D', DriveKind::Fixed},     {'E', DriveKind::Removable},
                                          {'F', DriveKind::Removable},  // a card reader, no card
                                          {'M', DriveKind::Other}};
    EXPECT_EQ(platform::binWatches(drives, sid, disk), (Watches{{'C', "C:\\" + userBin, true},
                                                                {'D', "D:\\$Recycle.Bin", true},
                                                                {'E', "E:\\", false}}));
    // Without the user's identifier every bin folder stands in for the user's.
    EXPECT_EQ(platform::binWatches(drives, "", disk)[0], (BinWatch{'C', "C:\\$Recycle.Bin", true}));
}

TEST_F(BinFolders, FollowDrivesAndBinFoldersAsTheyComeAndGo) {
    disk.addDirectory("C:\\");
    std::vector<BinDrive> drives = {{'C', DriveKind::Fixed}};
    const Watches atStart = platform::binWatches(drives, sid, disk);
    ASSERT_EQ(atStart, (Watches{{'C', "C:\\", false}}));

    // The first delete on C: makes its bin, and a disk with a bin of the user's is attached.
    disk.addDirectory("C:\\" + userBin);
    disk.addDirectory("G:\\" + userBin);
    drives.push_back({'G', DriveKind::Removable});
    const Watches attached = platform::binWatches(drives, sid, disk);
    auto changes = platform::changesBetween(atStart, attached);
    EXPECT_EQ(changes.dropped, (Watches{{'C', "C:\\", false}}));
    EXPECT_EQ(changes.added,
              (Watches{{'C', "C:\\" + userBin, true}, {'G', "G:\\" + userBin, true}}));

    // The disk is taken out again.
    drives.pop_back();
    changes = platform::changesBetween(attached, platform::binWatches(drives, sid, disk));
    EXPECT_EQ(changes.dropped, (Watches{{'G', "G:\\" + userBin, true}}));
    EXPECT_TRUE(changes.added.empty());
}

}  // namespace
}  // namespace quorvel::testing
