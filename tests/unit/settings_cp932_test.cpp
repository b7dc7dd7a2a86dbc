#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "settings/cp932.h"

namespace quorvel::settings::cp932 {
namespace {

struct Vector {
    const char* text;
    std::string_view bytes;
};

void PrintTo(const Vector& v, std::ostream* os) {
    *os << '"' << v.text << '"';
}

class Cp932Vectors : public ::testing::TestWithParam<Vector> {};

TEST_P(Cp932Vectors, EncodeAndDecodeBothWays) {
    const Vector& v = GetParam();
    const Encoded e = encode(v.text);
    EXPECT_EQ(e.bytes, v.bytes) << v.text;
    EXPECT_TRUE(e.unencodable.empty()) << v.text;
    EXPECT_EQ(decode(v.bytes), v.text);
    EXPECT_EQ(countInvalid(v.bytes), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932Vectors,
    ::testing::Values(
        Vector{"C:\\Program Files\\a.exe", "C:\\Program Files\\a.exe"},
        // Half-width katakana are single bytes.
        Vector{"ｱﾌﾟﾘｹｰｼｮﾝ", "\xB1\xCC\xDF\xD8\xB9\xB0\xBC\xAE\xDD"},
        Vector{"ランチャー1", "\x83\x89\x83\x93\x83\x60\x83\x83\x81\x5B\x31"},
        Vector{"ＭＳ Ｐゴシック", "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"},
        // A trail byte equal to '\' must not be taken for a path separator.
        Vector{"非表示", "\x94\xF1\x95\x5C\x8E\xA6"}, Vector{"する", "\x82\xB7\x82\xE9"},
        Vector{"～", "\x81\x60"}, Vector{"∵", "\x81\xE6"}, Vector{"ⅰ", "\xEE\xEF"},
        Vector{"\xEE\x80\x80", "\xF0\x40"}));  // U+E000, the first user-defined character

TEST(Cp932, StandInsEncodeToTheirUsualCodes) {
    EXPECT_EQ(encode("〜").bytes, "\x81\x60");  // WAVE DASH
    EXPECT_EQ(encode("¬").bytes, "\x81\xCA");
    EXPECT_EQ(encode("−").bytes, "\x81\x7C");  // MINUS SIGN
    // A duplicated code decodes, and encodes back to the preferred duplicate.
    EXPECT_EQ(decode("\x87\x90"), "≒");
    EXPECT_EQ(encode("≒").bytes, "\x81\xE0");
}

TEST(Cp932, ReportsCharactersWithoutACode) {
    const Encoded e = encode("a😀b한¥");
    EXPECT_EQ(e.bytes, "a?b??");
    ASSERT_EQ(e.unencodable.size(), 3u);
    EXPECT_EQ(e.unencodable[0], "😀");
    EXPECT_EQ(e.unencodable[1], "한");
    EXPECT_EQ(e.unencodable[2], "¥");

    // Malformed UTF-8: a stray continuation byte, a truncated sequence, an encoded surrogate.
    const Encoded bad = encode(std::string("x\x80y\xE3\x83") + "\xED\xA0\x80");
    EXPECT_EQ(bad.bytes.substr(0, 3), "x?y");
    EXPECT_EQ(bad.unencodable.size(), bad.bytes.size() - 2);
    for (const std::string& u : bad.unencodable) {
        EXPECT_EQ(u, "\xEF\xBF\xBD");
    }
}

TEST(Cp932, InvalidBytesReadAsTheMiddleDot) {
    struct Case {
        std::string_view bytes;
        std::string_view text;
        std::size_t invalid;
    };
    const Case cases[] = {
        {"\x82", "・", 1},    // lead byte at the end
        {"\x82 ", "・ ", 1},  // lead byte before a byte that cannot trail it
        {"\x82\x7F"
         "a",
         "・\x7F"
         "a",
         1},
        {"\x85\x40", "・", 1},  // a lead byte with nothing mapped
        {"\x81\xAD"
         "b",
         "・b", 1},                                   // an unmapped pair counts once
        {"\xA0\xFD", "\xEF\xA3\xB0\xEF\xA3\xB1", 0},  // U+F8F0, U+F8F1
        {std::string_view("\0\0", 2), std::string_view("\0\0", 2), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decode(c.bytes), c.text);
        EXPECT_EQ(countInvalid(c.bytes), c.invalid);
    }
}

TEST(Cp932, EveryPairRoundTripsToTheSameCharacter) {
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            if (!isLeadByte(static_cast<unsigned char>(lead)) || countInvalid(pair) != 0) {
                continue;
            }
            ++mapped;
            const std::string text = decode(pair);
            const Encoded back = encode(text);
            ASSERT_TRUE(back.unencodable.empty()) << std::hex << lead << ' ' << trail;
            ASSERT_EQ(decode(back.bytes), text) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_EQ(mapped, 9604);  // every double-byte character of code page 932
}

TEST(Cp932, FittingNeverSplitsADoubleByteCharacter) {
    std::string fullWidth21;
    for (int i = 0; i < 21; ++i) {
        fullWidth21 += "あ";
    }
    const std::string encoded = encode(fullWidth21).bytes;
    ASSERT_EQ(encoded.size(), 42u);
    const std::string cut = fitToWidth(encoded, 40);
    EXPECT_EQ(cut.size(), 40u);
    EXPECT_EQ(decode(cut), fullWidth21.substr(0, 20 * 3));

    // 41 bytes, the last character straddling the 40-byte edge: it goes, a space takes its
    // first byte's place.
    const std::string odd = encode("a" + fullWidth21.substr(0, 20 * 3)).bytes;
    ASSERT_EQ(odd.size(), 41u);
    const std::string oddCut = fitToWidth(odd, 40);
    EXPECT_EQ(oddCut.size(), 40u);
    EXPECT_EQ(oddCut.back(), ' ');
    EXPECT_EQ(countInvalid(oddCut), 0u);
    EXPECT_EQ(decode(oddCut), "a" + fullWidth21.substr(0, 19 * 3) + " ");

    // Exactly 40 bytes are kept whole; shorter values are padded with spaces.
    EXPECT_EQ(fitToWidth(encoded.substr(0, 40), 40), encoded.substr(0, 40));
    EXPECT_EQ(fitToWidth("\x82\xB7", 4), "\x82\xB7  ");
    EXPECT_EQ(fitToWidth("\x82\xB7", 1), " ");
    EXPECT_EQ(fitToWidth("abc", 0), "");
    // Half-width katakana are single bytes, so nine fit exactly in nine bytes.
    EXPECT_EQ(fitToWidth(encode("ｱﾌﾟﾘｹｰｼｮﾝ").bytes, 9).size(), 9u);
}

}  // namespace
}  // namespace quorvel::settings::cp932
