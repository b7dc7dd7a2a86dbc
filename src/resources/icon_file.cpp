#include "resources/icon_file.h"

#include <cstdint>

namespace quorvel::resources {

namespace {

void put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFFU));
    out.push_back(static_cast<char>((v >> 8U) & 0xFFU));
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFFU);
    put16(out, v >> 16U);
}

// Icon files keep straight alpha, the pictures here are premultiplied.
std::uint32_t unpremultiply(std::uint32_t px) {
    const std::uint32_t a = px >> 24U;
    if (a == 0) {
        return 0;
    }
    auto channel = [a](std::uint32_t c) {
        const std::uint32_t v = (c * 255U + a / 2) / a;
        return v > 255U ? 255U : v;
    };
    return channel(px & 0xFFU) | (channel((px >> 8U) & 0xFFU) << 8U) |
           (channel((px >> 16U) & 0xFFU) << 16U) | (a << 24U);
}

std::string entryBitmap(const PixelImage& p) {
    const auto w = static_cast<std::uint32_t>(p.width);
    const auto h = static_cast<std::uint32_t>(p.height);
    const std::uint32_t maskStride = ((w + 31U) / 32U) * 4U;
    std::string out;
    put32(out, 40);     // BITMAPINFOHEADER size
    put32(out, w);      //
    put32(out, h * 2);  // colour rows and mask rows together
    put16(out, 1);      // planes
    put16(out, 32);     // bits per pixel
    put32(out, 0);      // BI_RGB
    put32(out, w * h * 4 + maskStride * h);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = p.height - 1; y >= 0; --y) {  // bottom-up
        for (int x = 0; x < p.width; ++x) {
            put32(out, unpremultiply(p.at(x, y)));
        }
    }
    for (int y = p.height - 1; y >= 0; --y) {
        std::string row(maskStride, '\0');
        for (int x = 0; x < p.width; ++x) {
            if (alphaOf(p.at(x, y)) == 0) {
                row[static_cast<std::size_t>(x) / 8] = static_cast<char>(
                    static_cast<unsigned char>(row[static_cast<std::size_t>(x) / 8]) |
                    (0x80U >> (static_cast<unsigned>(x) % 8U)));
            }
        }
        out += row;
    }
    return out;
}

}  // namespace

std::string encodeIco(const std::vector<PixelImage>& pictures) {
    std::vector<const PixelImage*> usable;
    for (const PixelImage& p : pictures) {
        if (p.width >= 1 && p.width <= 256 && p.height >= 1 && p.height <= 256) {
            usable.push_back(&p);
        }
    }
    std::string head;
    put16(head, 0);
    put16(head, 1);  // icon
    put16(head, static_cast<std::uint32_t>(usable.size()));
    std::string body;
    auto offset = static_cast<std::uint32_t>(6 + 16 * usable.size());
    for (const PixelImage* p : usable) {
        const std::string bmp = entryBitmap(*p);
        head.push_back(static_cast<char>(p->width == 256 ? 0 : p->width));
        head.push_back(static_cast<char>(p->height == 256 ? 0 : p->height));
        head.push_back(0);  // no palette
        head.push_back(0);
        put16(head, 1);
        put16(head, 32);
        put32(head, static_cast<std::uint32_t>(bmp.size()));
        put32(head, offset);
        offset += static_cast<std::uint32_t>(bmp.size());
        body += bmp;
    }
    return head + body;
}

}  // namespace quorvel::resources
