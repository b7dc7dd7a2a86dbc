#include "settings/settings_model.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace quorvel::settings {
namespace {

struct NumberCase {
    const char* text;
    double value;
    int int16;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class NumericReading : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumericReading, ReadsTheLeadingNumberAndRoundsHalfToEven) {
    const NumberCase& c = GetParam();
    EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(toInt16(c.text), c.int16) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericReading,
    ::testing::Values(NumberCase{"", 0, 0}, NumberCase{"abc", 0, 0}, NumberCase{"-", 0, 0},
                      NumberCase{".", 0, 0}, NumberCase{"3", 3, 3}, NumberCase{"  12", 12, 12},
                      NumberCase{"\t7x", 7, 7}, NumberCase{"12abc", 12, 12}, NumberCase{"4 ", 4, 4},
                      NumberCase{"-5", -5, -5}, NumberCase{"+6", 6, 6}, NumberCase{"2.5", 2.5, 2},
                      NumberCase{"3.5", 3.5, 4}, NumberCase{"-2.5", -2.5, -2},
                      NumberCase{".5", 0.5, 0}, NumberCase{"1.5", 1.5, 2},
                      NumberCase{"2.51", 2.51, 3}, NumberCase{"7.", 7, 7},
                      NumberCase{"99999", 99999, 32767}, NumberCase{"-99999", -99999, -32768},
                      NumberCase{"32767.4", 32767.4, 32767}, NumberCase{"1e3", 1, 1},
                      NumberCase{"1,000", 1, 1}));

TEST(NumericReading, HugeAndTinyNumbersStayDefined) {
    const std::string huge(400, '9');
    EXPECT_EQ(toInt16(huge), 32767);
    EXPECT_EQ(toInt32(huge), 2147483647);
    EXPECT_EQ(toInt32("-" + huge), -2147483647 - 1);
    EXPECT_EQ(toInt32("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(toInt32("-2147483630"), -2147483630);
    EXPECT_EQ(toInt32("2147483647.5"), 2147483647);
}

TEST(TrimRight, RemovesTrailingSpacesOnly) {
    EXPECT_EQ(trimRight("ＭＳ Ｐゴシック        "), "ＭＳ Ｐゴシック");
    EXPECT_EQ(trimRight("  a b  "), "  a b");
    EXPECT_EQ(trimRight("tab\t"), "tab\t");
    EXPECT_EQ(trimRight("    "), "");
    EXPECT_EQ(trimRight(""), "");
}

TEST(DefaultSetName, NumbersTheLaunchers) {
    EXPECT_EQ(defaultSetName(1), "ランチャー1");
    EXPECT_EQ(defaultSetName(4), "ランチャー4");
}

TEST(StoredField, FindsEveryStoredNameAndNothingElse) {
    SettingsModel m;
    struct Expect {
        const char* name;
        std::string* field;
    };
    const Expect expected[] = {
        {"TaskB", &m.TaskB},     {"FrColor", &m.FrColor}, {"RNo", &m.RNo},
        {"BkStrch", &m.BkStrch}, {"txtFBk", &m.txtFBk},   {"S1E", &m.SE[0]},
        {"S16E", &m.SE[15]},     {"L1T", &m.L[0].T},      {"L3P", &m.L[2].P},
        {"L10N", &m.L[9].N},     {"L17I", &m.L[16].I},    {"LN1", &m.LN[0]},
        {"LN2", &m.LN[1]},       {"LN4", &m.LN[3]},       {"SepIcn", &m.SepIcn},
    };
    for (const Expect& e : expected) {
        EXPECT_EQ(storedField(m, e.name), e.field) << e.name;
    }
    for (const char* name : {"", "L", "L0P", "L18P", "L01P", "L3X", "S0E", "S17E", "SE", "LN0",
                             "LN5", "LN", "txtUsr", "Edit", "MRNo", "taskb", "L3PP"}) {
        EXPECT_EQ(storedField(m, name), nullptr) << name;
    }
    const SettingsModel& constModel = m;
    EXPECT_EQ(storedField(constModel, "L3P"), &m.L[2].P);
}

}  // namespace
}  // namespace quorvel::settings
