#include "platform/native/native_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

namespace quorvel::platform::native {
namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

// A fresh folder with a Japanese name, removed again after each test.
class NativeFileSystemTest : public ::testing::Test {
protected:
    NativeFileSystemTest() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root = fs::temp_directory_path() / fs::path(u8"quorvel 設定 ");
        root += std::to_string(stamp);
        fs::create_directories(root);
    }
    ~NativeFileSystemTest() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    std::string path(std::u8string_view name) const { return utf8(root / fs::path(name)); }
    int entries() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(root)) {
            ++n;
        }
        return n;
    }

    fs::path root;
    NativeFileSystem disk;
};

TEST_F(NativeFileSystemTest, CreatesReadsAndReplacesFilesWithJapaneseNames) {
    const std::string file = path(u8"花子sl.dat");
    EXPECT_FALSE(disk.fileSize(file).ok());
    ASSERT_TRUE(disk.ensureFile(file).ok());
    EXPECT_EQ(disk.fileSize(file).value(), 0u);

    const std::string bytes = std::string("record\0one", 10) + "\x82\xA0";
    ASSERT_TRUE(disk.replaceFile(file, bytes).ok());
    EXPECT_EQ(disk.fileSize(file).value(), bytes.size());
    EXPECT_EQ(disk.readAt(file, 0, 1000).value(), bytes);
    EXPECT_EQ(disk.readAt(file, 7, 3).value(), "one");
    EXPECT_EQ(disk.readAt(file, 100, 5).value(), "");

    // ensureFile leaves an existing file as it is; a replace leaves no temporary file behind.
    ASSERT_TRUE(disk.ensureFile(file).ok());
    ASSERT_TRUE(disk.replaceFile(file, "new").ok());
    EXPECT_EQ(disk.readAt(file, 0, 10).value(), "new");
    EXPECT_EQ(entries(), 1);
#ifdef _WIN32
    // Written with forward slashes the path still names the same folder for the temporary.
    std::string slashed = file;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    ASSERT_TRUE(disk.replaceFile(slashed, "again").ok());
    EXPECT_EQ(disk.readAt(file, 0, 10).value(), "again");
    EXPECT_EQ(entries(), 1);
#endif
}

TEST_F(NativeFileSystemTest, FoldersAreMadeOnce) {
    const std::string folder = path(u8"UsrData");
    EXPECT_FALSE(disk.directoryExists(folder));
    ASSERT_TRUE(disk.createDirectory(folder).ok());
    EXPECT_TRUE(disk.directoryExists(folder));
    EXPECT_TRUE(disk.createDirectory(folder).ok());
    EXPECT_FALSE(disk.fileSize(folder).ok());
}

TEST_F(NativeFileSystemTest, FailuresSayWhyAndLeaveNothingBehind) {
    const std::string missingFolder = path(u8"missing/x.dat");
    const auto replaced = disk.replaceFile(missingFolder, "abc");
    ASSERT_FALSE(replaced.ok());
    EXPECT_FALSE(replaced.error().message.empty());
    EXPECT_NE(replaced.error().code, 0);
    EXPECT_FALSE(disk.ensureFile(missingFolder).ok());
    EXPECT_FALSE(disk.readAt(path(u8"none.dat"), 0, 1).ok());

    // Replacing a folder with a file fails and keeps the folder.
    const std::string folder = path(u8"folder");
    ASSERT_TRUE(disk.createDirectory(folder).ok());
    EXPECT_FALSE(disk.replaceFile(folder, "abc").ok());
    EXPECT_TRUE(disk.directoryExists(folder));
    EXPECT_EQ(entries(), 1);
}

}  // namespace
}  // namespace quorvel::platform::native
