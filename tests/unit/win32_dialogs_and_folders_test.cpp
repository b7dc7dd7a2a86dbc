// The Win32 side of the dialogs and folders ports, and the loader of the dialogs' library.
// Windows build only.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32/colors.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/folders.h"
#include "platform/win32/strconv.h"
#include "platform/win32/system_library.h"

namespace quorvel::platform::win32 {
namespace {

// A wide literal with its embedded NULs, without the terminating one.
template <std::size_t N>
std::wstring withNuls(const wchar_t (&text)[N]) {
    return std::wstring(text, N - 1);
}

// Nothing is loaded before the first function is asked for; a library or a function that is
// missing is noted once in the failure log, a function only some systems have is not.
TEST(Win32SystemLibrary, LoadsAtFirstUseAndNotesWhatIsMissing) {
    FailureLog failures;
    using SizeOf = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    {
        SystemLibrary version(L"version.dll", failures);
        EXPECT_FALSE(version.loaded());
        EXPECT_NE(version.function<SizeOf>("GetFileVersionInfoSizeW"), nullptr);
        EXPECT_TRUE(version.loaded());
        EXPECT_EQ(version.optionalFunction<SizeOf>("NoSuchFunction"), nullptr);
        EXPECT_TRUE(failures.recent().empty());
        EXPECT_EQ(version.function<SizeOf>("NoSuchFunction"), nullptr);
        ASSERT_EQ(failures.recent().size(), 1U);
        EXPECT_NE(failures.recent().back().find("version.dll NoSuchFunction"), std::string::npos);
    }
    SystemLibrary missing(L"no-such-library.dll", failures);
    EXPECT_FALSE(missing.load());
    EXPECT_EQ(missing.function<SizeOf>("GetFileVersionInfoSizeW"), nullptr);
    EXPECT_EQ(missing.error(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    ASSERT_EQ(failures.recent().size(), 2U);
    EXPECT_NE(failures.recent().back().find("no-such-library.dll"), std::string::npos);
}

TEST(Win32FileDialogFilter, PairsEndInNulsAndTheWholeInOneMore) {
    EXPECT_EQ(fileDialogFilter("すべてのファイル (*.*)|*.*|"),
              withNuls(L"すべてのファイル (*.*)\0*.*\0\0"));
    EXPECT_EQ(fileDialogFilter("a|*.a|b|*.b"), withNuls(L"a\0*.a\0b\0*.b\0\0"));
    EXPECT_EQ(fileDialogFilter(""), withNuls(L"\0\0"));
}

TEST(Win32Colours, ASystemColourNumberStandsForTodaysColour) {
    EXPECT_EQ(toColorRef(0x80000012U), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(toColorRef(0x8000000FU), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(toColorRef(0x00123456U), RGB(0x56, 0x34, 0x12));
}

class Win32FoldersTest : public ::testing::Test {
protected:
    Win32FoldersTest() {
        root_ = std::filesystem::temp_directory_path() / L"quorvel-folders-test";
        std::filesystem::remove_all(root_);
        for (const wchar_t* name : {L"beta", L"Alpha", L"写真", L"gamma"}) {
            std::filesystem::create_directories(root_ / name);
        }
        std::ofstream(root_ / L"file.txt") << "not a folder";
        const std::wstring hidden = (root_ / L"secret").wstring();
        std::filesystem::create_directories(hidden);
        SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }
    ~Win32FoldersTest() override {
        SetFileAttributesW((root_ / L"secret").wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(root_);
    }
    std::string root() const { return toUtf8(root_.wstring()); }

    std::filesystem::path root_;
    Win32Folders folders;
};

TEST_F(Win32FoldersTest, ListsTheFoldersInReadingOrderWithoutFilesOrHiddenSystemOnes) {
    const auto names = folders.subfolders(root());
    ASSERT_TRUE(names.ok()) << names.error().message;
    EXPECT_EQ(names.value(), (std::vector<std::string>{"Alpha", "beta", "gamma", "写真"}));
    // A trailing separator makes no difference.
    EXPECT_EQ(folders.subfolders(root() + "\\").value(), names.value());
}

TEST_F(Win32FoldersTest, AMissingFolderIsAnErrorWithWords) {
    const auto names = folders.subfolders(root() + "\\no such folder");
    ASSERT_FALSE(names.ok());
    EXPECT_FALSE(names.error().message.empty());
}

TEST_F(Win32FoldersTest, DriveCIsListedAndReady) {
    const auto drives = folders.drives();
    const auto c =
        std::find_if(drives.begin(), drives.end(), [](const Drive& d) { return d.root == "C:\\"; });
    ASSERT_NE(c, drives.end());
    EXPECT_TRUE(c->caption.starts_with("c:"));
    EXPECT_TRUE(folders.driveReady("C:\\"));
    for (const Drive& d : drives) {
        if (GetDriveTypeW(toWide(d.root).c_str()) == DRIVE_FIXED) {
            EXPECT_TRUE(folders.driveReady(d.root)) << d.root;
        }
    }
    // A letter no drive uses is not ready, and asking shows no dialog.
    for (char letter = 'Y'; letter >= 'D'; --letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (std::none_of(drives.begin(), drives.end(),
                         [&](const Drive& d) { return d.root == root; })) {
            EXPECT_FALSE(folders.driveReady(root)) << root;
            break;
        }
    }
}

}  // namespace
}  // namespace quorvel::platform::win32

#endif  // _WIN32
