#pragma once

#include <cstdint>
#include <vector>

namespace quorvel::resources {

// A picture in memory: 32 bits per pixel, blue in the low byte, alpha in the high byte, rows top
// down, colours premultiplied by alpha. This is the layout a 32-bpp top-down DIB section and the
// alpha blender expect, so a picture is drawn without a conversion.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    PixelImage() = default;
    PixelImage(int w, int h)
        : width(w > 0 ? w : 0),
          height(h > 0 ? h : 0),
          pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0U) {}

    [[nodiscard]] bool empty() const noexcept { return pixels.empty(); }
    [[nodiscard]] std::uint32_t at(int x, int y) const noexcept {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

[[nodiscard]] constexpr std::uint32_t alphaOf(std::uint32_t px) noexcept {
    return px >> 24U;
}

// A copy of `src` at dw x dh pixels: an area average when shrinking (no dropped rows or columns,
// so thin lines survive), bilinear when enlarging. An empty source or size gives an empty image.
[[nodiscard]] PixelImage resample(const PixelImage& src, int dw, int dh);

}  // namespace quorvel::resources
