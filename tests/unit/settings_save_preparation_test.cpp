#include <gtest/gtest.h>

#include <string>

#include "settings/save_preparation.h"

namespace quorvel::settings {
namespace {

SettingsModel withSlotsInUse(std::initializer_list<int> slots) {
    SettingsModel m;
    for (std::string& flag : m.SE) {
        flag = "1";
    }
    for (int n : slots) {
        m.L[static_cast<std::size_t>(n - 1)] = {"ﾌｧｲﾙ", "name", "", "C:\\f" + std::to_string(n)};
    }
    return m;
}

std::string flagsOf(const SettingsModel& m) {
    std::string s;
    for (const std::string& f : m.SE) {
        s += f;
    }
    return s;
}

TEST(PrepareForSave, BarWidthEndsAtTheFirstFreeSlot) {
    struct Case {
        std::initializer_list<int> used;
        const char* width;
        const char* flags;  // S1E..S16E after the save
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, "12495", "1111111111111111"},
        {{}, "2280", "0000000000000000"},
        // Slot 1 free: the bar is empty whatever the other slots hold.
        {{2, 3, 17}, "2280", "1100000000000001"},
        {{1, 2, 3, 4, 5}, "5280", "1111000000000000"},
        // A hole at slot 3: the bar ends there, later slots keep their separators.
        {{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, "3480", "1011111111111111"},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, "11880", "1111111111111110"},
    };
    for (const Case& c : cases) {
        SettingsModel m = withSlotsInUse(c.used);
        prepareForSave(m, Writer::Bar);
        EXPECT_EQ(m.FWdth, c.width) << c.width;
        EXPECT_EQ(flagsOf(m), c.flags) << c.width;
    }
}

TEST(PrepareForSave, OnlyAnEmptyPathMakesASlotFree) {
    SettingsModel m = withSlotsInUse({1});
    m.L[1] = {"ｱﾌﾟﾘｹｰｼｮﾝ", "no path", "pic.ico", ""};
    m.L[2].P = " ";
    prepareForSave(m, Writer::Bar);
    EXPECT_EQ(m.FWdth, std::to_string(slotLeft(2)));
    EXPECT_EQ(m.SE[0], "0");
    EXPECT_EQ(m.SE[1], "1");  // in front of slot 3, whose path is a blank
}

TEST(PrepareForSave, FillsEmptyFieldsAsEachWriterWants) {
    SettingsModel bar;
    bar.RNo = "";
    bar.SE[3] = "1";
    EXPECT_EQ(prepareForSave(bar, Writer::Bar), 1);
    EXPECT_EQ(bar.RNo, "1");
    EXPECT_EQ(bar.Clr, "しない");
    EXPECT_EQ(bar.FTop, "しない");
    EXPECT_EQ(bar.SE[0], "0");

    SettingsModel window;
    EXPECT_EQ(prepareForSave(window, Writer::SettingsWindow), 1);
    EXPECT_EQ(window.FTop, "する");
    EXPECT_EQ(window.Clr, "しない");

    // Values that are set stay as they are, even ones the bar does not understand.
    SettingsModel kept;
    kept.RNo = "3";
    kept.Clr = "たぶん";
    kept.FTop = "する";
    EXPECT_EQ(prepareForSave(kept, Writer::Bar), 3);
    EXPECT_EQ(kept.Clr, "たぶん");
    EXPECT_EQ(kept.FTop, "する");
}

TEST(PrepareForSave, SetNumberIsRNoAsA16BitNumber) {
    const std::pair<const char*, int> cases[] = {{"2", 2},   {"2.5", 2},       {"3.5", 4},
                                                 {"abc", 0}, {"99999", 32767}, {"-99999", -32768}};
    for (const auto& [rno, number] : cases) {
        SettingsModel m;
        m.RNo = rno;
        EXPECT_EQ(prepareForSave(m, Writer::Bar), number) << rno;
        EXPECT_EQ(m.RNo, rno);
    }
}

}  // namespace
}  // namespace quorvel::settings
