#include <algorithm>
#include <array>
#include <cmath>

#include "resources/pixel_image.h"

namespace quorvel::resources {

namespace {

struct Tap {
    int index;
    float weight;
};

// For every destination position along one axis, the source positions it draws from.
std::vector<std::vector<Tap>> weightsFor(int srcLen, int dstLen) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(dstLen));
    const double scale = static_cast<double>(srcLen) / dstLen;
    for (int i = 0; i < dstLen; ++i) {
        auto& list = taps[static_cast<std::size_t>(i)];
        if (scale > 1.0) {
            const double from = i * scale;
            const double to = from + scale;
            for (int s = static_cast<int>(std::floor(from)); s < srcLen && s < to; ++s) {
                const double overlap = std::min<double>(s + 1, to) - std::max<double>(s, from);
                if (overlap > 0) {
                    list.push_back({s, static_cast<float>(overlap / scale)});
                }
            }
        } else {
            const double centre = (i + 0.5) * scale - 0.5;
            const int s0 = static_cast<int>(std::floor(centre));
            const auto frac = static_cast<float>(centre - s0);
            list.push_back({std::clamp(s0, 0, srcLen - 1), 1.0F - frac});
            list.push_back({std::clamp(s0 + 1, 0, srcLen - 1), frac});
        }
    }
    return taps;
}

using Channels = std::array<float, 4>;

Channels unpack(std::uint32_t px) {
    return {static_cast<float>(px & 0xFFU), static_cast<float>((px >> 8U) & 0xFFU),
            static_cast<float>((px >> 16U) & 0xFFU), static_cast<float>(px >> 24U)};
}

std::uint32_t pack(const Channels& c) {
    auto byte = [](float v) {
        return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    const std::uint32_t a = byte(c[3]);
    // Premultiplied colour never exceeds its alpha; rounding must not break that.
    auto colour = [&](float v) { return std::min(byte(v), a); };
    return colour(c[0]) | (colour(c[1]) << 8U) | (colour(c[2]) << 16U) | (a << 24U);
}

}  // namespace

PixelImage resample(const PixelImage& src, int dw, int dh) {
    if (src.empty() || dw <= 0 || dh <= 0) {
        return {};
    }
    if (dw == src.width && dh == src.height) {
        return src;
    }
    const auto across = weightsFor(src.width, dw);
    const auto down = weightsFor(src.height, dh);

    // Horizontal pass into floats, then the vertical pass packs the result.
    std::vector<Channels> rows(static_cast<std::size_t>(dw) * static_cast<std::size_t>(src.height));
    for (int y = 0; y < src.height; ++y) {
        for (int x = 0; x < dw; ++x) {
            Channels sum{};
            for (const Tap& t : across[static_cast<std::size_t>(x)]) {
                const Channels c = unpack(src.at(t.index, y));
                for (std::size_t k = 0; k < 4; ++k) {
                    sum[k] += c[k] * t.weight;
                }
            }
            rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(dw) +
                 static_cast<std::size_t>(x)] = sum;
        }
    }
    PixelImage out(dw, dh);
    for (int y = 0; y < dh; ++y) {
        for (int x = 0; x < dw; ++x) {
            Channels sum{};
            for (const Tap& t : down[static_cast<std::size_t>(y)]) {
                const Channels& c =
                    rows[static_cast<std::size_t>(t.index) * static_cast<std::size_t>(dw) +
                         static_cast<std::size_t>(x)];
                for (std::size_t k = 0; k < 4; ++k) {
                    sum[k] += c[k] * t.weight;
                }
            }
            out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(dw) +
                       static_cast<std::size_t>(x)] = pack(sum);
        }
    }
    return out;
}

}  // namespace quorvel::resources
