#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "resources/pixel_image.h"

namespace quorvel::resources {

struct Vec2 {
    float x = 0;
    float y = 0;
};

// Straight (not premultiplied) colour, each channel 0..1.
struct Rgba {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
};

// 0xRRGGBB as written in a colour picker.
[[nodiscard]] constexpr Rgba rgb(std::uint32_t hex, float alpha = 1.0F) noexcept {
    return {static_cast<float>((hex >> 16U) & 0xFFU) / 255.0F,
            static_cast<float>((hex >> 8U) & 0xFFU) / 255.0F,
            static_cast<float>(hex & 0xFFU) / 255.0F, alpha};
}

// A shape is its signed distance function: negative inside, positive outside, in design units.
// Distances make anti-aliasing exact at any size, so one drawing serves 96 and 144 dpi alike.
using Shape = std::function<float(Vec2)>;
using Paint = std::function<Rgba(Vec2)>;

[[nodiscard]] Shape circle(Vec2 centre, float radius);
[[nodiscard]] Shape roundRect(float x0, float y0, float x1, float y1, float radius);
// A line from a to b with round ends, halfWidth either side.
[[nodiscard]] Shape capsule(Vec2 a, Vec2 b, float halfWidth);
// Any simple polygon, convex or not.
[[nodiscard]] Shape polygon(std::vector<Vec2> points);
[[nodiscard]] Shape unite(Shape a, Shape b);
[[nodiscard]] Shape intersect(Shape a, Shape b);
[[nodiscard]] Shape subtract(Shape from, Shape cut);
// The shape's edge as a band of halfWidth either side.
[[nodiscard]] Shape outline(Shape s, float halfWidth);
// Grown outwards by `by` (rounding every corner by the same amount).
[[nodiscard]] Shape grow(Shape s, float by);

[[nodiscard]] std::vector<Vec2> rotated(std::vector<Vec2> points, Vec2 pivot, float degrees);

[[nodiscard]] Paint solid(Rgba c);
// Top to bottom from `top` at y0 to `bottom` at y1, constant beyond.
[[nodiscard]] Paint vertical(float y0, Rgba top, float y1, Rgba bottom);

// Draws shapes into a w x h picture. The design space (designW x designH units) is scaled
// uniformly to fit and centred, so icons keep their proportions in any rectangle. The fills are
// kept and drawn one row at a time when the picture is taken: a picture as wide as the bar
// needs a row of colour in full precision, not a whole picture of it.
class Canvas {
public:
    Canvas(int width, int height, float designW, float designH);

    void fill(const Shape& shape, const Paint& paint);
    void fill(const Shape& shape, Rgba colour) { fill(shape, solid(colour)); }
    // Pixels per design unit.
    [[nodiscard]] float scale() const noexcept { return scale_; }
    [[nodiscard]] PixelImage take() const;

private:
    struct Fill {
        Shape shape;
        Paint paint;
    };

    int width_;
    int height_;
    float scale_;
    float offsetX_;
    float offsetY_;
    std::vector<Fill> fills_;
};

}  // namespace quorvel::resources
