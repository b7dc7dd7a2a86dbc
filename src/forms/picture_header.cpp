#include "forms/picture_header.h"

#include <algorithm>

#include "forms/byte_reader.h"

namespace quorvel::forms {

namespace {

bool sizeFits(std::uint32_t width, std::uint32_t height) noexcept {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           std::uint64_t{width} * height <= kMaxPicturePixels;
}

std::optional<PictureHeader> checked(PictureFormat format, std::uint32_t width,
                                     std::uint32_t height) noexcept {
    if (!sizeFits(width, height)) {
        return std::nullopt;
    }
    return PictureHeader{format, width, height};
}

// BITMAPFILEHEADER, then a BITMAPCOREHEADER (12 bytes, 16-bit sides) or a BITMAPINFOHEADER or
// one of its longer successors (32-bit sides; a negative height is a top-down bitmap).
std::optional<PictureHeader> bitmap(const ByteReader& b) noexcept {
    constexpr std::size_t kFileHeader = 14;
    if (!b.has(kFileHeader, 4)) {
        return std::nullopt;
    }
    const std::uint32_t infoSize = b.le32(kFileHeader);
    if (infoSize == 12) {
        if (!b.has(kFileHeader, 12) || b.le16(22) != 1) {
            return std::nullopt;
        }
        const std::uint32_t bits = b.le16(24);
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
            return std::nullopt;
        }
        return checked(PictureFormat::Bitmap, b.le16(18), b.le16(20));
    }
    if (infoSize < 40 || infoSize > 124 || !b.has(kFileHeader, 40) || b.le16(26) != 1) {
        return std::nullopt;
    }
    const std::uint32_t bits = b.le16(28);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return std::nullopt;
    }
    // Uncompressed, run-length encoded or with colour masks; not a JPEG or PNG inside a BMP.
    const std::uint32_t compression = b.le32(30);
    if (compression != 0 && compression != 1 && compression != 2 && compression != 3 &&
        compression != 6) {
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(b.le32(18));
    const auto height = static_cast<std::int32_t>(b.le32(22));
    if (width <= 0 || height == 0 || height == INT32_MIN) {
        return std::nullopt;
    }
    return checked(PictureFormat::Bitmap, static_cast<std::uint32_t>(width),
                   static_cast<std::uint32_t>(height < 0 ? -height : height));
}

// ICONDIR and its ICONDIRENTRYs; the largest image is the one shown. A side written as 0
// means 256.
std::optional<PictureHeader> icon(const ByteReader& b) noexcept {
    constexpr std::size_t kDirectory = 6;
    constexpr std::size_t kEntry = 16;
    const std::uint32_t count = b.le16(4);
    if (count == 0 || !b.has(kDirectory, count * kEntry)) {
        return std::nullopt;
    }
    const std::size_t imagesStart = kDirectory + count * kEntry;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = kDirectory + i * kEntry;
        const std::uint32_t w = b.u8(at) == 0 ? 256 : b.u8(at);
        const std::uint32_t h = b.u8(at + 1) == 0 ? 256 : b.u8(at + 1);
        const std::uint32_t bytes = b.le32(at + 8);
        const std::uint32_t offset = b.le32(at + 12);
        if (bytes == 0 || offset < imagesStart) {
            return std::nullopt;
        }
        if (w * h > width * height) {
            width = w;
            height = h;
        }
    }
    return checked(PictureFormat::Icon, width, height);
}

// The signature, then the IHDR chunk, which must come first.
std::optional<PictureHeader> png(const ByteReader& b) noexcept {
    if (!b.has(8, 18) || b.be32(8) != 13 || b.u8(12) != 'I' || b.u8(13) != 'H' || b.u8(14) != 'D' ||
        b.u8(15) != 'R') {
        return std::nullopt;
    }
    const std::uint32_t depth = b.u8(24);
    const std::uint32_t colour = b.u8(25);
    if ((depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) ||
        (colour != 0 && colour != 2 && colour != 3 && colour != 4 && colour != 6)) {
        return std::nullopt;
    }
    return checked(PictureFormat::Png, b.be32(16), b.be32(20));
}

std::optional<PictureHeader> gif(const ByteReader& b) noexcept {
    if (!b.has(6, 4)) {
        return std::nullopt;
    }
    return checked(PictureFormat::Gif, b.le16(6), b.le16(8));
}

// Segments from the start of image to the first frame header (SOF0..SOF15, not the table and
// arithmetic-coding markers that share their range), which holds the sides.
std::optional<PictureHeader> jpeg(const ByteReader& b) noexcept {
    std::size_t at = 2;
    while (b.has(at, 2)) {
        if (b.u8(at) != 0xFF) {
            return std::nullopt;
        }
        const std::uint32_t marker = b.u8(at + 1);
        if (marker == 0xFF) {
            ++at;  // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += 2;  // markers without a length
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) {
            return std::nullopt;  // the image ends, or its data starts, before any frame
        }
        if (!b.has(at + 2, 2)) {
            break;
        }
        const std::uint32_t length = b.be16(at + 2);
        if (length < 2) {
            return std::nullopt;
        }
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 8 || !b.has(at + 4, 5)) {
                break;
            }
            return checked(PictureFormat::Jpeg, b.be16(at + 7), b.be16(at + 5));
        }
        at += 2 + length;
    }
    // The frame header lies beyond the bytes read. A file that ended there has none at all.
    if (b.size() < kPictureHeaderBytes) {
        return std::nullopt;
    }
    return PictureHeader{PictureFormat::Jpeg, 0, 0};
}

}  // namespace

std::optional<PictureHeader> readPictureHeader(std::string_view bytes) noexcept {
    const ByteReader b(bytes.substr(0, kPictureHeaderBytes));
    if (b.startsWith("BM")) {
        return bitmap(b);
    }
    if (b.startsWith(std::string_view("\x00\x00\x01\x00", 4)) && b.has(0, 6)) {
        return icon(b);
    }
    if (b.startsWith("\x89PNG\r\n\x1A\n")) {
        return png(b);
    }
    if (b.startsWith("GIF87a") || b.startsWith("GIF89a")) {
        return gif(b);
    }
    if (b.startsWith("\xFF\xD8")) {
        return jpeg(b);
    }
    return std::nullopt;
}

}  // namespace quorvel::forms
