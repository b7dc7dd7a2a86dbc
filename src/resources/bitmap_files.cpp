#include "resources/bitmap_files.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#include "forms/byte_reader.h"
#include "forms/picture_header.h"

namespace quorvel::resources {

namespace {

using forms::ByteReader;

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kMaxIconPictures = 64;

// Where a device-independent bitmap's parts lie, and its shape.
struct Dib {
    std::uint32_t width = 0;
    std::uint32_t height = 0;  // of the picture, without an icon's mask
    bool topDown = false;
    std::uint32_t bits = 0;
    std::size_t palette = 0;  // offset of the palette (4 bytes a colour)
    std::uint32_t colours = 0;
    std::size_t end = 0;  // of the header and palette: an icon's pixels start here
};

std::size_t strideOf(std::uint32_t width, std::uint32_t bits) {
    return (static_cast<std::size_t>(width) * bits + 31U) / 32U * 4U;
}

// A BITMAPINFOHEADER, or one of its longer successors, at `at`, describing an uncompressed
// bitmap the picture limits allow. An icon's header counts the mask's rows in its height.
std::optional<Dib> readDib(const ByteReader& b, std::size_t at, bool icon) {
    if (!b.has(at, 40)) {
        return std::nullopt;
    }
    const std::uint32_t size = b.le32(at);
    if (size < 40 || size > 124 || !b.has(at, size) || b.le16(at + 12) != 1 ||
        b.le32(at + 16) != kUncompressed) {
        return std::nullopt;
    }
    Dib dib;
    dib.bits = b.le16(at + 14);
    if (dib.bits != 1 && dib.bits != 4 && dib.bits != 8 && dib.bits != 24 && dib.bits != 32) {
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(b.le32(at + 4));
    const auto height = static_cast<std::int32_t>(b.le32(at + 8));
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min() ||
        (icon && (height < 0 || height % 2 != 0))) {
        return std::nullopt;
    }
    dib.width = static_cast<std::uint32_t>(width);
    dib.topDown = height < 0;
    dib.height = static_cast<std::uint32_t>(dib.topDown ? -height : height) / (icon ? 2U : 1U);
    if (dib.width > forms::kMaxPictureSide || dib.height > forms::kMaxPictureSide ||
        std::uint64_t{dib.width} * dib.height > forms::kMaxPicturePixels) {
        return std::nullopt;
    }
    if (dib.bits <= 8) {
        const std::uint32_t used = b.le32(at + 32);
        dib.colours = used == 0 ? 1U << dib.bits : used;
        if (dib.colours > 1U << dib.bits) {
            return std::nullopt;
        }
    }
    dib.palette = at + size;
    if (!b.has(dib.palette, std::size_t{dib.colours} * 4U)) {
        return std::nullopt;
    }
    dib.end = dib.palette + std::size_t{dib.colours} * 4U;
    return dib;
}

std::uint32_t premultiplied(std::uint32_t blue, std::uint32_t green, std::uint32_t red,
                            std::uint32_t alpha) {
    const auto times = [alpha](std::uint32_t c) { return c * alpha / 255U; };
    return times(blue) | (times(green) << 8U) | (times(red) << 16U) | (alpha << 24U);
}

// The pixels at `pixels`, and for an icon the mask at `mask`; nullopt when they do not fit in
// the bytes or a palette index lies beyond the palette.
std::optional<PixelImage> pixelsOf(const ByteReader& b, const Dib& dib, std::size_t pixels,
                                   std::optional<std::size_t> mask) {
    const std::size_t stride = strideOf(dib.width, dib.bits);
    const std::size_t maskStride = strideOf(dib.width, 1);
    if (!b.has(pixels, stride * dib.height) || (mask && !b.has(*mask, maskStride * dib.height))) {
        return std::nullopt;
    }
    PixelImage image(static_cast<int>(dib.width), static_cast<int>(dib.height));
    const bool ownAlpha = [&] {
        if (!mask || dib.bits != 32) {
            return false;
        }
        for (std::size_t row = 0; row < dib.height; ++row) {
            for (std::size_t x = 0; x < dib.width; ++x) {
                if (b.u8(pixels + row * stride + x * 4 + 3) != 0) {
                    return true;
                }
            }
        }
        return false;
    }();
    for (std::size_t y = 0; y < dib.height; ++y) {
        const std::size_t row = dib.topDown ? y : dib.height - 1 - y;
        const std::size_t at = pixels + row * stride;
        for (std::size_t x = 0; x < dib.width; ++x) {
            std::size_t colour = 0;
            std::uint32_t alpha = 255;
            if (dib.bits >= 24) {
                colour = at + x * (dib.bits / 8U);
                if (ownAlpha) {
                    alpha = b.u8(colour + 3);
                }
            } else {
                const std::size_t bit = x * dib.bits;
                const std::uint32_t shift = 8U - dib.bits - static_cast<std::uint32_t>(bit % 8U);
                const std::uint32_t index =
                    (b.u8(at + bit / 8U) >> shift) & ((1U << dib.bits) - 1U);
                if (index >= dib.colours) {
                    return std::nullopt;
                }
                colour = dib.palette + std::size_t{index} * 4U;
            }
            if (mask && !ownAlpha &&
                ((b.u8(*mask + row * maskStride + x / 8U) >> (7U - x % 8U)) & 1U) != 0) {
                alpha = 0;
            }
            image.pixels[y * dib.width + x] =
                premultiplied(b.u8(colour), b.u8(colour + 1), b.u8(colour + 2), alpha);
        }
    }
    return image;
}

}  // namespace

std::optional<PixelImage> decodeBitmapFile(std::string_view bytes) {
    const ByteReader b(bytes);
    if (!b.has(0, kFileHeaderBytes) || !b.startsWith("BM")) {
        return std::nullopt;
    }
    const std::optional<Dib> dib = readDib(b, kFileHeaderBytes, false);
    if (!dib) {
        return std::nullopt;
    }
    return pixelsOf(b, *dib, b.le32(10), std::nullopt);
}

std::optional<PixelImage> decodeIconFile(std::string_view bytes) {
    const ByteReader b(bytes);
    if (!b.has(0, 6) || b.le16(0) != 0 || b.le16(2) != 1) {
        return std::nullopt;
    }
    const std::uint32_t count = b.le16(4);
    if (count == 0 || count > kMaxIconPictures || !b.has(6, std::size_t{count} * 16U)) {
        return std::nullopt;
    }
    // Every picture must be one decoded here, or the largest might be one that is not.
    std::optional<Dib> best;
    std::string_view bestBytes;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + std::size_t{i} * 16U;
        const std::uint32_t length = b.le32(entry + 8);
        const std::uint32_t offset = b.le32(entry + 12);
        if (!b.has(offset, length)) {
            return std::nullopt;
        }
        const std::string_view picture = bytes.substr(offset, length);
        const std::optional<Dib> dib = readDib(ByteReader(picture), 0, true);
        if (!dib) {
            return std::nullopt;
        }
        if (!best ||
            std::uint64_t{dib->width} * dib->height > std::uint64_t{best->width} * best->height) {
            best = dib;
            bestBytes = picture;
        }
    }
    const ByteReader picture(bestBytes);
    const std::size_t mask = best->end + strideOf(best->width, best->bits) * best->height;
    return pixelsOf(picture, *best, best->end, mask);
}

}  // namespace quorvel::resources
