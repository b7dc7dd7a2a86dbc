#include <gtest/gtest.h>

#include <string>

#include "settings/stored_width.h"

namespace quorvel::settings {
namespace {

TEST(StoredWidth, IsTheFieldsWidthInItsRecord) {
    EXPECT_EQ(storedWidth("L3N"), 40U);
    EXPECT_EQ(storedWidth("L17P"), 260U);
    EXPECT_EQ(storedWidth("LN4"), 20U);
    EXPECT_EQ(storedWidth("FntName"), 30U);
    EXPECT_EQ(storedWidth("txtUsr"), 0U);
}

TEST(FitStoredWidth, KeepsWholeCharactersThatFit) {
    struct Case {
        std::string text;
        std::size_t width;
        std::string kept;
    };
    const Case cases[] = {
        {"abc", 2, "ab"},          {"ランチャー", 4, "ラン"},  // two bytes each
        {"ランチャー", 5, "ラン"},                             // never half a character
        {"ｱﾌﾟﾘ", 3, "ｱﾌﾟ"},                                    // half-width katakana take one byte
        {"a한b", 2, "a한"},                                    // no code: written as one '?'
        {"abc", 10, "abc"},        {"", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fitStoredWidth(c.text, c.width), c.kept) << c.text << " " << c.width;
    }
}

TEST(FindUnstorable, NamesTheFirstFieldThatWouldNotComeBack) {
    SettingsModel m;
    EXPECT_FALSE(findUnstorable(m).has_value());

    m.L[4].P = "C:\\사진\\a😀.lnk";
    m.FntName = "ＭＳ Ｐゴシック";
    auto bad = findUnstorable(m);
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->field, "L5P");
    EXPECT_EQ(bad->characters, (std::vector<std::string>{"사", "진", "😀"}));
    EXPECT_FALSE(bad->tooLong);

    // The dock record is looked at first.
    m.FntName = std::string(31, 'F');
    bad = findUnstorable(m);
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->field, "FntName");
    EXPECT_TRUE(bad->tooLong);
    EXPECT_TRUE(bad->characters.empty());

    m.FntName = std::string(30, 'F');
    m.L[4].P = std::string(260, 'x');
    EXPECT_FALSE(findUnstorable(m).has_value());
    m.L[4].P.clear();
    for (int i = 0; i < 131; ++i) {
        m.L[4].P += "ア";  // 262 bytes
    }
    bad = findUnstorable(m);
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->field, "L5P");
    EXPECT_TRUE(bad->tooLong);
}

}  // namespace
}  // namespace quorvel::settings
