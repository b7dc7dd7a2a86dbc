#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "forms/picture_header.h"

namespace quorvel::testing {
namespace {

using forms::PictureFormat;
using forms::readPictureHeader;

void le16(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void le32(std::string& s, std::uint32_t v) {
    le16(s, v & 0xFFFF);
    le16(s, v >> 16);
}
void be16(std::string& s, std::uint32_t v) {
    s += static_cast<char>((v >> 8) & 0xFF);
    s += static_cast<char>(v & 0xFF);
}
void be32(std::string& s, std::uint32_t v) {
    be16(s, v >> 16);
    be16(s, v & 0xFFFF);
}

std::string bmp(std::int32_t width, std::int32_t height, std::uint32_t bits = 24,
                std::uint32_t compression = 0) {
    std::string s = "BM";
    le32(s, 54);
    le32(s, 0);
    le32(s, 54);
    le32(s, 40);
    le32(s, static_cast<std::uint32_t>(width));
    le32(s, static_cast<std::uint32_t>(height));
    le16(s, 1);
    le16(s, bits);
    le32(s, compression);
    s.append(20, '\0');
    return s;
}

std::string coreBmp(std::uint32_t width, std::uint32_t height) {
    std::string s = "BM";
    le32(s, 26);
    le32(s, 0);
    le32(s, 26);
    le32(s, 12);
    le16(s, width);
    le16(s, height);
    le16(s, 1);
    le16(s, 24);
    return s;
}

struct IconImage {
    std::uint32_t side;  // 256 is written as 0
    std::uint32_t bytes = 40;
    std::uint32_t offset = 0;  // 0: just after the directory
};

std::string ico(std::initializer_list<IconImage> images) {
    std::string s;
    le16(s, 0);
    le16(s, 1);
    le16(s, static_cast<std::uint32_t>(images.size()));
    const auto start = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IconImage& i : images) {
        s += static_cast<char>(i.side == 256 ? 0 : i.side);
        s += static_cast<char>(i.side == 256 ? 0 : i.side);
        s.append(2, '\0');
        le16(s, 1);
        le16(s, 32);
        le32(s, i.bytes);
        le32(s, i.offset == 0 ? start : i.offset);
    }
    return s;
}

std::string png(std::uint32_t width, std::uint32_t height, char depth = 8, char colour = 6) {
    std::string s = "\x89PNG\r\n\x1A\n";
    be32(s, 13);
    s += "IHDR";
    be32(s, width);
    be32(s, height);
    s += depth;
    s += colour;
    s.append(7, '\0');
    return s;
}

std::string gif(std::uint32_t width, std::uint32_t height) {
    std::string s = "GIF89a";
    le16(s, width);
    le16(s, height);
    s.append(3, '\0');
    return s;
}

// SOI, an APP0 segment of `appBytes`, then a baseline frame header (or none).
std::string jpeg(std::uint32_t width, std::uint32_t height, std::uint32_t appBytes = 16,
                 bool frame = true) {
    std::string s = "\xFF\xD8\xFF\xE0";
    be16(s, appBytes);
    s.append(appBytes - 2, 'J');
    if (frame) {
        s += "\xFF\xC0";
        be16(s, 17);
        s += '\x08';
        be16(s, height);
        be16(s, width);
        s.append(12, '\0');
    }
    return s;
}

struct Case {
    const char* name;
    std::string bytes;
    std::optional<PictureFormat> format;  // nullopt: refused
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

class PictureHeader : public ::testing::TestWithParam<Case> {};

TEST_P(PictureHeader, AnnouncesFormatAndSizeOrIsRefused) {
    const Case& c = GetParam();
    const auto header = readPictureHeader(c.bytes);
    ASSERT_EQ(header.has_value(), c.format.has_value());
    if (header) {
        EXPECT_EQ(header->format, *c.format);
        EXPECT_EQ(header->width, c.width);
        EXPECT_EQ(header->height, c.height);
    }
    // Every cut of the bytes is read without a fault, and never announces more.
    for (std::size_t n = 0; n < c.bytes.size(); ++n) {
        const auto cut = readPictureHeader(std::string_view(c.bytes).substr(0, n));
        if (cut && header) {
            EXPECT_EQ(cut->format, header->format);
        }
    }
}

std::string withBytes(std::string s, std::size_t at, char value) {
    s.at(at) = value;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureHeader,
    ::testing::Values(
        Case{"Bitmap", bmp(32, 32), PictureFormat::Bitmap, 32, 32},
        Case{"TopDownBitmap", bmp(48, -16), PictureFormat::Bitmap, 48, 16},
        Case{"OldBitmap", coreBmp(20, 10), PictureFormat::Bitmap, 20, 10},
        Case{"RunLengthBitmap", bmp(8, 8, 8, 1), PictureFormat::Bitmap, 8, 8},
        Case{"BitmapClaimingGiantSize", bmp(100000, 100000), std::nullopt},
        Case{"BitmapOfTooManyPixels", bmp(8192, 8192), std::nullopt},
        Case{"BitmapOfNoWidth", bmp(0, 10), std::nullopt},
        Case{"BitmapOfMostNegativeHeight", bmp(10, INT32_MIN), std::nullopt},
        Case{"BitmapWithAPngInside", bmp(10, 10, 24, 5), std::nullopt},
        Case{"BitmapOfOddDepth", bmp(10, 10, 7), std::nullopt},
        Case{"BitmapHeaderCutShort", bmp(32, 32).substr(0, 30), std::nullopt},
        Case{"IconLargestImageCounts", ico({{16}, {256}, {48}}), PictureFormat::Icon, 256, 256},
        Case{"IconWithoutImages", ico({}), std::nullopt},
        Case{"IconImageOfNoBytes", ico({{32, 0}}), std::nullopt},
        Case{"IconImageInsideItsDirectory", ico({{32, 40, 4}}), std::nullopt},
        Case{"IconDirectoryCutShort", ico({{16}, {32}}).substr(0, 30), std::nullopt},
        Case{"Cursor", withBytes(ico({{32}}), 2, 2), std::nullopt},
        Case{"Png", png(640, 480), PictureFormat::Png, 640, 480},
        Case{"PngClaimingGiantSize", png(0x7FFFFFFF, 2), std::nullopt},
        Case{"PngOfOddDepth", png(10, 10, 3), std::nullopt},
        Case{"PngWithoutHeaderChunk", withBytes(png(10, 10), 12, 'X'), std::nullopt},
        Case{"Gif", gif(100, 50), PictureFormat::Gif, 100, 50},
        Case{"GifOfNoHeight", gif(100, 0), std::nullopt},
        Case{"Jpeg", jpeg(1024, 768), PictureFormat::Jpeg, 1024, 768},
        Case{"JpegAfterLongMetadata", jpeg(64, 32, 40000), PictureFormat::Jpeg, 64, 32},
        Case{"JpegWithoutFrame", jpeg(64, 32, 16, false), std::nullopt},
        Case{"JpegClaimingGiantSize", jpeg(65535, 65535), std::nullopt},
        Case{"JpegOfZeroLengthSegment", withBytes(withBytes(jpeg(8, 8), 4, 0), 5, 0), std::nullopt},
        Case{"Text", std::string("これは画像ではありません"), std::nullopt},
        Case{"Empty", std::string(), std::nullopt},
        Case{"Executable", std::string("MZ\x90\x00\x03\x00\x00\x00", 8), std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(PictureHeaderJpeg, AFrameBeyondTheBytesReadLeavesTheSizeToTheDecoder) {
    // Two long metadata segments run past all the bytes the check reads.
    std::string file = jpeg(64, 32, 65535);
    file.insert(2 + 2 + 65535, jpeg(1, 1, 65535, false).substr(2));
    ASSERT_GT(file.size(), forms::kPictureHeaderBytes);
    const auto header =
        readPictureHeader(std::string_view(file).substr(0, forms::kPictureHeaderBytes));
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->format, PictureFormat::Jpeg);
    EXPECT_EQ(header->width, 0U);
    // A file that ends before any frame is no picture.
    EXPECT_FALSE(readPictureHeader(jpeg(64, 32, 2000, false)).has_value());
}

}  // namespace
}  // namespace quorvel::testing
