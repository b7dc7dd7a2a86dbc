#include "settings/settings_files.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_file_system.h"
#include "settings/record_layout.h"
#include "settings/save_preparation.h"
#include "window_api/storage_message.h"

namespace quorvel::settings {
namespace {

using platform::sim::SimFileSystem;

constexpr std::size_t kSet = kSetRecordLength;

class SettingsFilesTest : public ::testing::Test {
protected:
    SettingsFilesTest() { disk.addDirectory(files.folder()); }

    std::string sets() const { return disk.fileBytes(files.setsPath()).value_or("<none>"); }
    std::string dock() const { return disk.fileBytes(files.dockPath()).value_or("<none>"); }

    SimFileSystem disk;
    SettingsFiles files{disk, "/home/taro/quorvel", "taro"};
};

TEST_F(SettingsFilesTest, FilesAreNamedAfterTheUser) {
#ifdef _WIN32
    SettingsFiles windows(disk, "C:\\Users\\花子\\bar", "花子");
    EXPECT_EQ(windows.folder(), "C:\\Users\\花子\\bar\\UsrData");
    EXPECT_EQ(windows.dockPath(), "C:\\Users\\花子\\bar\\UsrData\\花子dp.dat");
    EXPECT_EQ(windows.setsPath(), "C:\\Users\\花子\\bar\\UsrData\\花子sl.dat");
    SettingsFiles trailing(disk, "D:\\", "u");
    EXPECT_EQ(trailing.setsPath(), "D:\\UsrData\\usl.dat");
    SettingsFiles slashed(disk, "E:/bar/", "u");
    EXPECT_EQ(slashed.setsPath(), "E:/bar/UsrData\\usl.dat");
#else
    EXPECT_EQ(files.folder(), "/home/taro/quorvel/UsrData");
    EXPECT_EQ(files.dockPath(), "/home/taro/quorvel/UsrData/tarodp.dat");
    EXPECT_EQ(files.setsPath(), "/home/taro/quorvel/UsrData/tarosl.dat");
    SettingsFiles trailing(disk, "/tmp/x/", "u");
    EXPECT_EQ(trailing.setsPath(), "/tmp/x/UsrData/usl.dat");
#endif
}

TEST_F(SettingsFilesTest, CountingCreatesAnEmptySetsFileAndLeavesTheDockFileAlone) {
    const auto count = files.countSets();
    ASSERT_TRUE(count.ok());
    EXPECT_EQ(count.value(), 0);
    EXPECT_EQ(sets(), "");
    EXPECT_FALSE(disk.fileExists(files.dockPath()));
}

TEST_F(SettingsFilesTest, CountRoundsHalfARecordToEven) {
    const std::pair<std::size_t, int> cases[] = {
        {0, 0},        {6043, 0},           {6044, 0},  {6045, 1},         {kSet, 1},
        {18131, 1},    {18132, 2},          {18133, 2}, {5 * kSet / 2, 2}, {7 * kSet / 2, 4},
        {4 * kSet, 4}, {4 * kSet + 100, 4},
    };
    for (const auto& [length, expected] : cases) {
        disk.addFile(files.setsPath(), std::string(length, ' '));
        const auto count = files.countSets();
        ASSERT_TRUE(count.ok());
        EXPECT_EQ(count.value(), expected) << length << " bytes";
    }
}

TEST_F(SettingsFilesTest, SavedFieldsReadBackWithTheirPadding) {
    SettingsModel m;
    m.TaskB = "非表示";
    m.DockPos = "下";
    m.FntName = "ＭＳ Ｐゴシック";
    m.FrColor = "-2147483630";
    m.RNo = "2";
    m.L[16].P = "C:\\Program Files\\表計算\\calc.exe";
    m.L[0].T = "ｱﾌﾟﾘｹｰｼｮﾝ";
    m.SE[15] = "1";
    m.LN = {"仕事", "趣味", "ランチャー3", "ランチャー4"};
    ASSERT_TRUE(files.write(m, 2).ok());

    EXPECT_EQ(dock().size(), kDockRecordLength);
    EXPECT_EQ(sets().size(), 2 * kSet);
    const auto set = files.readSet(2);
    const auto dockFields = files.readDock();
    ASSERT_TRUE(set.ok());
    ASSERT_TRUE(dockFields.ok());
    EXPECT_EQ(dockFields.value().FntName, "ＭＳ Ｐゴシック" + std::string(15, ' '));
    EXPECT_EQ(trimRight(dockFields.value().TaskB), "非表示");
    EXPECT_EQ(trimRight(dockFields.value().FrColor), "-2147483630");
    EXPECT_EQ(set.value().RNo, "2 ");
    EXPECT_EQ(trimRight(set.value().L[16].P), m.L[16].P);
    EXPECT_EQ(trimRight(set.value().L[0].T), "ｱﾌﾟﾘｹｰｼｮﾝ");
    EXPECT_EQ(set.value().SE[15], "1 ");
    EXPECT_EQ(trimRight(set.value().LN[1]), "趣味");
    // The set fields carry no dock fields and the other way round.
    EXPECT_EQ(set.value().TaskB, "");
    EXPECT_EQ(dockFields.value().RNo, "1");  // the fresh model's own value, not read
}

TEST_F(SettingsFilesTest, LongNamesAreCutAtACharacterBoundary) {
    std::string name;
    for (int i = 0; i < 21; ++i) {
        name += "漢";
    }
    SettingsModel m;
    m.L[4].N = name;                      // 42 bytes in a 40-byte field
    m.L[5].N = "x" + name.substr(0, 60);  // 41 bytes
    m.L[6].N = name.substr(0, 60);        // exactly 40 bytes
    ASSERT_TRUE(files.write(m, 1).ok());
    const SettingsModel back = files.readSet(1).value();
    EXPECT_EQ(back.L[4].N, name.substr(0, 60));
    EXPECT_EQ(back.L[5].N, "x" + name.substr(0, 57) + " ");
    EXPECT_EQ(back.L[6].N, name.substr(0, 60));
}

TEST_F(SettingsFilesTest, SavingAHigherSetPadsTheGapAndKeepsOtherRecords) {
    const std::string first = std::string(kSet - 1, 'a') + "z";
    disk.addFile(files.setsPath(), first);
    SettingsModel m;
    m.RNo = "3";
    prepareForSave(m, Writer::Bar);
    ASSERT_TRUE(files.write(m, 3).ok());

    const std::string bytes = sets();
    ASSERT_EQ(bytes.size(), 36264u);
    EXPECT_EQ(files.countSets().value(), 3);
    EXPECT_EQ(bytes.substr(0, kSet), first);
    EXPECT_EQ(bytes.substr(kSet, kSet), std::string(kSet, ' '));
    EXPECT_EQ(files.readSet(3).value().RNo, "3 ");
    EXPECT_EQ(trimRight(files.readSet(2).value().L[3].P), "");

    // Rewriting set 1 later leaves set 3 byte for byte.
    SettingsModel one;
    ASSERT_TRUE(files.write(one, 1).ok());
    EXPECT_EQ(sets().substr(2 * kSet), bytes.substr(2 * kSet));
    EXPECT_EQ(sets().size(), 36264u);
}

TEST_F(SettingsFilesTest, DockBytesBeyondTheRecordSurvive) {
    const std::string tail = "tail bytes \x01\x02";
    disk.addFile(files.dockPath(), std::string(kDockRecordLength, 'q') + tail);
    SettingsModel m;
    m.TaskB = "表示";
    ASSERT_TRUE(files.write(m, 1).ok());
    EXPECT_EQ(dock().substr(kDockRecordLength), tail);
    EXPECT_EQ(dock().substr(0, 10), "\x95\x5C\x8E\xA6      ");
}

TEST_F(SettingsFilesTest, SetNumbersOutsideOneToFourAreRefusedBeforeWriting) {
    for (int n : {0, -1, 5, 32767, -32768}) {
        const auto written = files.write(SettingsModel{}, n);
        ASSERT_FALSE(written.ok()) << n;
        EXPECT_EQ(written.error().kind, StorageError::Kind::SetNumberOutOfRange);
        EXPECT_EQ(written.error().set, n);
        const std::string message = window_api::storageMessage(written.error());
        EXPECT_NE(message.find("ランチャー番号 " + std::to_string(n)), std::string::npos)
            << message;
    }
    EXPECT_EQ(disk.replaceCount(), 0);
    EXPECT_FALSE(disk.fileExists(files.setsPath()));
    EXPECT_FALSE(disk.fileExists(files.dockPath()));
}

TEST_F(SettingsFilesTest, AFailedSaveSaysWhyAndKeepsTheOldBytes) {
    const std::string oldSets(kSet, 's');
    const std::string oldDock(kDockRecordLength, 'd');
    SettingsModel m;
    m.TaskB = "表示";

    struct Case {
        const char* what;
        void (*inject)(SimFileSystem&, const SettingsFiles&);
        bool dockWritten;  // dp.dat is written first, in its own replace
    };
    const Case cases[] = {
        {"locked sets file",
         [](SimFileSystem& d, const SettingsFiles& f) { d.lockFile(f.setsPath()); }, true},
        {"locked dock file",
         [](SimFileSystem& d, const SettingsFiles& f) { d.lockFile(f.dockPath()); }, false},
        {"read-only folder",
         [](SimFileSystem& d, const SettingsFiles& f) { d.makeReadOnly(f.folder()); }, false},
        {"full disk", [](SimFileSystem& d, const SettingsFiles&) { d.setFreeSpace(1000); }, true},
    };
    for (const Case& c : cases) {
        SimFileSystem fresh;
        SettingsFiles f(fresh, "/w", "u");
        fresh.addFile(f.setsPath(), oldSets);
        fresh.addFile(f.dockPath(), oldDock);
        c.inject(fresh, f);
        const auto written = f.write(m, 1);
        ASSERT_FALSE(written.ok()) << c.what;
        EXPECT_EQ(written.error().kind, StorageError::Kind::NotSaved) << c.what;
        EXPECT_FALSE(written.error().path.empty()) << c.what;
        // The message names the trouble, the file and the system's reason.
        const std::string message = window_api::storageMessage(written.error());
        EXPECT_NE(message.find("保存できませんでした"), std::string::npos);
        EXPECT_NE(message.find(written.error().path), std::string::npos) << message;
        EXPECT_FALSE(written.error().cause.message.empty()) << c.what;
        EXPECT_EQ(fresh.fileBytes(f.setsPath()), oldSets) << c.what;
        EXPECT_EQ(fresh.fileBytes(f.dockPath()) != oldDock, c.dockWritten) << c.what;
    }
}

TEST_F(SettingsFilesTest, ShortAndGarbageFilesReadWithoutHarm) {
    // One and a half records: the second record is cut inside the slot pictures.
    SettingsModel m;
    m.L[0].P = "first";
    m.L[16].P = "last";
    m.LN[3] = "四";
    const std::string record = encodeRecord(m, setRecordLayout());
    disk.addFile(files.setsPath(), record + record.substr(0, 6044));
    const SettingsModel half = files.readSet(2).value();
    EXPECT_EQ(trimRight(half.L[0].P), "");  // L1P starts at 7588, beyond the cut
    EXPECT_EQ(half.L[16].P, "");
    EXPECT_EQ(half.LN[3], "");
    EXPECT_EQ(half.L[0].T, std::string(20, ' '));
    // RNo "99999" asks for a record far beyond the end.
    EXPECT_EQ(files.readSet(32767).value().RNo, "");
    EXPECT_FALSE(files.readSet(0).ok());

    std::string garbage;
    for (int i = 0; i < 76; ++i) {
        garbage += static_cast<char>(0x80 + i);
    }
    disk.addFile(files.dockPath(), garbage.substr(0, 50));
    const SettingsModel dockFields = files.readDock().value();
    EXPECT_FALSE(dockFields.TaskB.empty());
    EXPECT_EQ(dockFields.FrColor, "");            // starts at byte 56, beyond the end
    EXPECT_EQ(dockFields.FStyle.size(), 4 * 3u);  // four bytes left, each a middle dot
}

TEST_F(SettingsFilesTest, ReadingAMissingDockFileCreatesItEmpty) {
    const auto read = files.readDock();
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value().TaskB, "");
    EXPECT_EQ(dock(), "");
}

}  // namespace
}  // namespace quorvel::settings
