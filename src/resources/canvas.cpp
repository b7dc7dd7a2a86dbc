#include "resources/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace quorvel::resources {

namespace {
float length(float x, float y) {
    return std::sqrt(x * x + y * y);
}
float dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
Vec2 minus(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
}  // namespace

Shape circle(Vec2 centre, float radius) {
    return [=](Vec2 p) { return length(p.x - centre.x, p.y - centre.y) - radius; };
}

Shape roundRect(float x0, float y0, float x1, float y1, float radius) {
    const Vec2 centre{(x0 + x1) / 2, (y0 + y1) / 2};
    const Vec2 half{(x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius};
    return [=](Vec2 p) {
        const float qx = std::abs(p.x - centre.x) - half.x;
        const float qy = std::abs(p.y - centre.y) - half.y;
        return length(std::max(qx, 0.0F), std::max(qy, 0.0F)) + std::min(std::max(qx, qy), 0.0F) -
               radius;
    };
}

Shape capsule(Vec2 a, Vec2 b, float halfWidth) {
    return [=](Vec2 p) {
        const Vec2 pa = minus(p, a);
        const Vec2 ba = minus(b, a);
        const float len2 = dot(ba, ba);
        const float h = len2 > 0 ? std::clamp(dot(pa, ba) / len2, 0.0F, 1.0F) : 0.0F;
        return length(pa.x - ba.x * h, pa.y - ba.y * h) - halfWidth;
    };
}

Shape polygon(std::vector<Vec2> points) {
    return [pts = std::move(points)](Vec2 p) {
        const std::size_t n = pts.size();
        if (n < 3) {
            return 1e9F;
        }
        float best = dot(minus(p, pts[0]), minus(p, pts[0]));
        bool inside = false;
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const Vec2 e = minus(pts[j], pts[i]);
            const Vec2 w = minus(p, pts[i]);
            const float h = std::clamp(dot(w, e) / dot(e, e), 0.0F, 1.0F);
            const Vec2 b{w.x - e.x * h, w.y - e.y * h};
            best = std::min(best, dot(b, b));
            // Crossing test for the inside (even-odd rule).
            const bool c1 = p.y >= pts[i].y;
            const bool c2 = p.y < pts[j].y;
            const bool c3 = e.x * w.y > e.y * w.x;
            if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) {
                inside = !inside;
            }
        }
        const float d = std::sqrt(best);
        return inside ? -d : d;
    };
}

Shape unite(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](Vec2 p) { return std::min(a(p), b(p)); };
}

Shape intersect(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](Vec2 p) { return std::max(a(p), b(p)); };
}

Shape subtract(Shape from, Shape cut) {
    return [a = std::move(from), b = std::move(cut)](Vec2 p) { return std::max(a(p), -b(p)); };
}

Shape outline(Shape s, float halfWidth) {
    return [s = std::move(s), halfWidth](Vec2 p) { return std::abs(s(p)) - halfWidth; };
}

Shape grow(Shape s, float by) {
    return [s = std::move(s), by](Vec2 p) { return s(p) - by; };
}

std::vector<Vec2> rotated(std::vector<Vec2> points, Vec2 pivot, float degrees) {
    const float rad = degrees * std::numbers::pi_v<float> / 180.0F;
    const float c = std::cos(rad);
    const float s = std::sin(rad);
    for (Vec2& p : points) {
        const Vec2 d = minus(p, pivot);
        p = {pivot.x + d.x * c - d.y * s, pivot.y + d.x * s + d.y * c};
    }
    return points;
}

Paint solid(Rgba c) {
    return [c](Vec2) { return c; };
}

Paint vertical(float y0, Rgba top, float y1, Rgba bottom) {
    return [=](Vec2 p) {
        const float t = y1 == y0 ? 0.0F : std::clamp((p.y - y0) / (y1 - y0), 0.0F, 1.0F);
        auto mix = [t](float a, float b) { return a + (b - a) * t; };
        return Rgba{mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b),
                    mix(top.a, bottom.a)};
    };
}

Canvas::Canvas(int width, int height, float designW, float designH)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      scale_(std::min(static_cast<float>(width_) / designW, static_cast<float>(height_) / designH)),
      offsetX_((static_cast<float>(width_) - designW * scale_) / 2),
      offsetY_((static_cast<float>(height_) - designH * scale_) / 2) {}

void Canvas::fill(const Shape& shape, const Paint& paint) {
    if (scale_ <= 0) {
        return;
    }
    fills_.push_back(Fill{shape, paint});
}

PixelImage Canvas::take() const {
    PixelImage out(width_, height_);
    auto byte = [](float v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0F, 1.0F) * 255.0F));
    };
    std::vector<Rgba> row(static_cast<std::size_t>(width_));  // r, g, b already multiplied by a
    for (int y = 0; y < height_; ++y) {
        std::fill(row.begin(), row.end(), Rgba{0, 0, 0, 0});
        const float py = (static_cast<float>(y) + 0.5F - offsetY_) / scale_;
        for (const Fill& f : fills_) {
            for (int x = 0; x < width_; ++x) {
                const Vec2 p{(static_cast<float>(x) + 0.5F - offsetX_) / scale_, py};
                // Distance in pixels; a pixel half inside an edge is half covered.
                const float coverage = std::clamp(0.5F - f.shape(p) * scale_, 0.0F, 1.0F);
                if (coverage <= 0) {
                    continue;
                }
                const Rgba c = f.paint(p);
                const float a = c.a * coverage;
                Rgba& d = row[static_cast<std::size_t>(x)];
                d = {c.r * a + d.r * (1 - a), c.g * a + d.g * (1 - a), c.b * a + d.b * (1 - a),
                     a + d.a * (1 - a)};
            }
        }
        std::uint32_t* line =
            out.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        for (std::size_t x = 0; x < row.size(); ++x) {
            const Rgba& c = row[x];
            const std::uint32_t a = byte(c.a);
            auto colour = [&](float v) { return std::min(byte(v), a); };
            line[x] = colour(c.b) | (colour(c.g) << 8U) | (colour(c.r) << 16U) | (a << 24U);
        }
    }
    return out;
}

}  // namespace quorvel::resources
