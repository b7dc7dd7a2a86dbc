#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/dropped_links.h"
#include "sim_settings_window_fixture.h"
#include "window_api/messages.h"

namespace quorvel::testing {
namespace {

using forms::DragData;
using forms::DropEffect;

constexpr forms::Point kOnBackground{2400, 660};
constexpr forms::Point kOnDivider{2100, 300};
constexpr forms::Point kOnBin{1600, 200};
constexpr forms::Point kOnMyComputer{400, 200};
const forms::Point kOnSlot2{settings::slotLeft(2) + 20, 200};

constexpr const char* kText = "C:\\in\\報告書.txt";
constexpr const char* kFolder = "C:\\in\\写真";
constexpr const char* kProgram = "C:\\Program Files\\Tool\\tool.EXE";
constexpr const char* kShortcut = "C:\\in\\サイト.url";

class DropLinks : public SettingsWindowFixture {
protected:
    void SetUp() override {
        sim.disk.addFile(kText, "x");
        sim.disk.addDirectory(kFolder);
        sim.disk.addFile(kProgram, "MZ");
        sim.disk.addFile(kShortcut, "[InternetShortcut]\r\nURL=https://www.example.jp/top\r\n");
    }
    void startWithLinks(int links) {
        store(sampleSet(links), 1);
        startOpen();
    }
    void drop(forms::Point at, DragData data) {
        sim.dispatch([&] { dock().drop(at, data); });
    }
    std::string iconOf(const char* target, bool address = false) {
        return usrData + "\\Icons\\" + bar::iconFileName(target, address);
    }
    std::vector<settings::LinkSlot> slots() { return {model().L.begin(), model().L.end()}; }
};

// What a person drags out of a file manager and a browser: each becomes the next link, typed,
// named and pictured after what it is, and the set is saved with them.
TEST_F(DropLinks, WhatIsDroppedBecomesTheNextLinksInItsOrderAndIsSaved) {
    startWithLinks(3);
    drop(kOnBackground,
         {{kText, kFolder, kProgram, kShortcut}, {"https://u@www.example.jp:8080/a"}});

    const std::vector<settings::LinkSlot> expected = {
        {"ﾌｧｲﾙ", "報告書", iconOf(kText), kText},
        {"ﾌｫﾙﾀﾞ", "写真", iconOf(kFolder), kFolder},
        {"ｱﾌﾟﾘｹｰｼｮﾝ", "tool", iconOf(kProgram), std::string("\"") + kProgram + "\""},
        {"ﾎｰﾑﾍﾟｰｼﾞ", "サイト", iconOf(kShortcut), "https://www.example.jp/top"},
        {"ﾎｰﾑﾍﾟｰｼﾞ", "www.example.jp", iconOf("https://u@www.example.jp:8080/a", true),
         "https://u@www.example.jp:8080/a"}};
    for (int n = 4; n <= 8; ++n) {
        const settings::LinkSlot& want = expected[static_cast<std::size_t>(n - 4)];
        const settings::LinkSlot& got = model().L[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(got, want) << "slot " << n;
        EXPECT_EQ(stored(1, ("L" + std::to_string(n) + "P").c_str()), want.P);
    }
    EXPECT_EQ(model().L[0].N, "リンク1");
    EXPECT_EQ(*sim.disk.fileBytes(iconOf(kProgram)),
              platform::sim::SimShell::iconBytesOf(kProgram, false));
    EXPECT_EQ(stored(1, "FWdth"), std::to_string(settings::slotLeft(9)));
    EXPECT_TRUE(sim.dialogs.messages.empty());

    // The bar came back with them, and the new ones flash once.
    sim.clock.advance(settle);
    EXPECT_EQ(dock().width(), settings::slotLeft(9));
    sim.clock.advance(400 - settle);
    EXPECT_FALSE(dock().slotImage(4).visible());
    EXPECT_FALSE(dock().slotImage(8).visible());
    EXPECT_TRUE(dock().slotImage(3).visible());
    sim.clock.advance(400);
    EXPECT_TRUE(dock().slotImage(4).visible());
    EXPECT_TRUE(dock().slotImage(8).visible());
}

TEST_F(DropLinks, OnlyTheBackgroundDividerAndSeparatorsMakeLinksTheBinTakesFilesOnly) {
    auto set = sampleSet(3);
    set.SE[1] = "1";
    store(set, 1);
    startOpen();
    const DragData files{{kText}, {}};
    const DragData address{{}, {"http://example.jp/"}};
    const DragData text{{"notes"}, {"some words"}};
    const forms::Point separator{dock().separatorImage(2).left() + 10, 300};
    struct Case {
        forms::Point at;
        const DragData& data;
        DropEffect effect;
    };
    for (const Case& c :
         {Case{kOnBackground, files, DropEffect::Link}, Case{kOnDivider, address, DropEffect::Link},
          Case{separator, files, DropEffect::Link}, Case{kOnBackground, text, DropEffect::None},
          Case{kOnSlot2, files, DropEffect::None}, Case{kOnMyComputer, files, DropEffect::None},
          Case{kOnBin, files, DropEffect::Move}, Case{kOnBin, address, DropEffect::None}}) {
        EXPECT_EQ(dock().dropEffectAt(c.at, c.data), c.effect) << c.at.x << "," << c.at.y;
    }
    const auto before = slots();
    drop(kOnSlot2, files);
    drop(kOnBin, files);
    EXPECT_EQ(slots(), before);
    EXPECT_EQ(sim.shell.recycled, (std::vector<std::vector<std::string>>{{kText}}));
}

struct RefusalCase {
    const char* what;
    int links;
    std::vector<std::string> dropped;
    std::string says;
};

class DropRefusal : public DropLinks, public ::testing::WithParamInterface<RefusalCase> {};

// Nothing is added, nothing is written, and the message says why.
TEST_P(DropRefusal, SaysWhyAndAddsNothing) {
    const RefusalCase& c = GetParam();
    for (const std::string& path : c.dropped) {
        sim.disk.addFile(path, "x");
    }
    startWithLinks(c.links);
    const auto sets = sim.disk.fileBytes(setsPath);
    const auto before = slots();
    drop(kOnBackground, {c.dropped, {}});
    ASSERT_EQ(sim.dialogs.messages.size(), 1U) << c.what;
    EXPECT_EQ(sim.dialogs.messages[0].text, std::string("リンクを追加できません。\r") + c.says);
    EXPECT_EQ(slots(), before);
    EXPECT_EQ(sim.disk.fileBytes(setsPath), sets);
    EXPECT_FALSE(sim.disk.directoryExists(usrData + "\\Icons"));
}

const std::string kLong = "C:\\in\\" + std::string(260, 'a') + ".txt";

INSTANTIATE_TEST_SUITE_P(
    Cases, DropRefusal,
    ::testing::Values(
        RefusalCase{"full", 17, {"C:\\in\\a.txt"}, "ランチャーに空きがありません。"},
        RefusalCase{"too few free",
                    15,
                    {"C:\\in\\a.txt", "C:\\in\\b.txt", "C:\\in\\c.txt"},
                    "ランチャーの空きは、あと 2 個です。"},
        RefusalCase{"no code",
                    3,
                    {"C:\\in\\a.txt", "C:\\in\\\xF0\x9F\x98\x80.txt"},
                    "C:\\in\\\xF0\x9F\x98\x80.txt\r設定ファイルに保存できない文字があります。"
                    "「\xF0\x9F\x98\x80」"},
        RefusalCase{"too long", 3, {kLong}, kLong + "\r長すぎて設定ファイルに保存できません。"}));

TEST_F(DropLinks, ATargetWithoutAPictureGetsTheBuiltInOneAndEachIsWrittenOnce) {
    startWithLinks(1);
    sim.shell.iconless = {kText, kFolder};
    drop(kOnBackground, {{kText, kProgram, kFolder}, {}});
    const std::string builtin = usrData + "\\Icons\\link.ico";
    EXPECT_EQ(model().L[1].I, builtin);
    EXPECT_EQ(model().L[2].I, iconOf(kProgram));
    EXPECT_EQ(model().L[3].I, builtin);
    EXPECT_EQ(*sim.disk.fileBytes(builtin), sim.pictures.iconFileOf(forms::BuiltinPicture::Link));
    sim.clock.advance(1000);
    // Dropped again, the program's picture is there already: the shell is not asked again.
    const std::size_t asked = sim.shell.iconRequests.size();
    drop(kOnBackground, {{kProgram}, {}});
    EXPECT_EQ(model().L[4].I, iconOf(kProgram));
    EXPECT_EQ(sim.shell.iconRequests.size(), asked);
}

// As after any quick edit whose save failed: the bar shows the links, the files keep the old set.
TEST_F(DropLinks, AFailedSaveKeepsTheNewLinksOnTheBarAndTheFilesAsTheyWere) {
    startWithLinks(2);
    const auto sets = sim.disk.fileBytes(setsPath);
    sim.disk.lockFile(setsPath);
    drop(kOnBackground, {{kText}, {}});
    sim.clock.advance(1000);
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(model().L[2].P, kText);
    EXPECT_EQ(pictureSource(dock().slotImage(3)), iconOf(kText));
    EXPECT_EQ(dock().width(), settings::slotLeft(4));
    EXPECT_EQ(sim.disk.fileBytes(setsPath), sets);
}

// The settings window's save writes its own copy of the set's slots: while it shows the set,
// the links go nowhere. A set that no save can store (no number, one beyond the last) takes
// none either: they would stay on the bar alone.
TEST_F(DropLinks, NoLinksForASetTheSettingsWindowShowsOrNoSaveMayStore) {
    startWithLinks(2);
    open();
    drop(kOnBackground, {{kText}, {}});
    sim.dispatch([this] {
        model().RNo = "0";  // as a damaged file can leave it
        dock().cmdReStart();
    });
    drop(kOnBackground, {{kText}, {}});
    sim.dispatch([this] {
        model().RNo = "5";  // beyond the sets a file holds: every save of it fails
        dock().cmdReStart();
    });
    drop(kOnBackground, {{kText}, {}});
    ASSERT_EQ(sim.dialogs.messages.size(), 3U);
    EXPECT_EQ(sim.dialogs.messages[0].text,
              "リンクを追加できません。\r設定ウインドウで、このランチャーを編集しています。\r"
              "設定ウインドウを閉じてから、もう一度ドロップしてください。");
    EXPECT_EQ(sim.dialogs.messages[1].text,
              std::string("リンクを追加できません。\r") + std::string(messages::kSetHasNoNumber));
    EXPECT_EQ(sim.dialogs.messages[2].text,
              "リンクを追加できません。\rランチャー番号 5 には保存できません。番号は 1 から 4 "
              "までです。");
    EXPECT_TRUE(model().L[0].P.empty());
    EXPECT_EQ(stored(1, "L3P"), "");
}

// The pure rules: names cut at a character, what counts as an address, what a shortcut holds.
TEST(DroppedLinks, NamesAddressesAndShortcuts) {
    platform::sim::SimFileSystem disk;
    const std::string longName = "C:\\in\\" + std::string(30, 'x') + "表計算の表計算.xlsx";
    for (const std::string& file : {longName, std::string("C:\\in\\.profile")}) {
        disk.addFile(file, "x");
    }
    disk.addDirectory("D:\\");
    disk.addFile("C:\\in\\a.url",
                 "\xEF\xBB\xBF[other]\nURL=x\n[internetshortcut]\nurl=http://a.jp/\n");
    disk.addFile("C:\\in\\b.url", "[InternetShortcut]\r\nURL=http://ä.jp/\r\n");
    const auto links = bar::linksFor({{longName, "C:\\in\\.profile", "D:\\", "C:\\in\\a.url",
                                       "C:\\in\\b.url", "C:\\in\\gone.txt", "in\\rel.txt"},
                                      {"ftp://[::1]:21/x", "file:///C:/a", "www.example.jp"}},
                                     disk);
    ASSERT_EQ(links.size(), 6U);
    EXPECT_EQ(links[0].name, std::string(30, 'x') + "表計算の表");  // 40 bytes, never half a 算
    EXPECT_EQ(links[1].name, ".profile");
    EXPECT_EQ(links[2].type, "ﾌｫﾙﾀﾞ");
    EXPECT_EQ(links[2].name, "D:");
    EXPECT_EQ(links[3].path, "http://a.jp/");
    EXPECT_EQ(links[4].path, "C:\\in\\b.url");  // no plain address in it: the shortcut itself
    EXPECT_EQ(links[5].name, "[::1]");

    EXPECT_EQ(bar::iconFileName("C:\\Tools\\A.exe", false),
              bar::iconFileName("c:\\tools\\a.exe", false));
    EXPECT_NE(bar::iconFileName("C:\\Tools\\A.exe", false),
              bar::iconFileName("C:\\Tools\\B.exe", false));
    EXPECT_NE(bar::iconFileName("http://a.jp/", true), bar::iconFileName("http://a.jp/", false));
}

}  // namespace
}  // namespace quorvel::testing
