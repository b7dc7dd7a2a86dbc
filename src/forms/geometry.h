#pragma once

#include <algorithm>
#include <cstdint>

namespace quorvel::forms {

// Every position and size in the core is in twips (1/1440 inch; 15 twips are one pixel at
// 96 dpi). Only the window host converts to pixels, with the monitor's real DPI.
using Twips = std::int32_t;

inline constexpr int kTwipsPerInch = 1440;
// The resolution the program's layouts are drawn for: there a pixel is 15 twips. The shell
// reports the taskbar and pictures report their size in such pixels.
inline constexpr int kDesignDpi = 96;
inline constexpr Twips kTwipsPerDesignPixel = kTwipsPerInch / kDesignDpi;

struct Point {
    Twips x = 0;
    Twips y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    Twips width = 0;
    Twips height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;

    [[nodiscard]] bool contains(Point p) const noexcept {
        return p.x >= left && p.y >= top && p.x < left + width && p.y < top + height;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Where a window of this whole size (frame included) stands centred on the area. One larger than
// the area keeps its top-left corner on it, so that its title bar can still be taken to move it.
[[nodiscard]] constexpr Point centredIn(const Rect& area, Size size) noexcept {
    return Point{std::max(area.left, area.left + area.width / 2 - size.width / 2),
                 std::max(area.top, area.top + area.height / 2 - size.height / 2)};
}

// Where two rectangles overlap; empty (no width or no height) where they do not.
[[nodiscard]] constexpr Rect intersection(const Rect& a, const Rect& b) noexcept {
    const Twips left = std::max(a.left, b.left);
    const Twips top = std::max(a.top, b.top);
    const Twips right = std::min(a.left + a.width, b.left + b.width);
    const Twips bottom = std::min(a.top + a.height, b.top + b.height);
    return Rect{left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// The rectangle moved, only as far as it takes, to lie on the area; one larger than the area
// keeps its left and top edges on it.
[[nodiscard]] constexpr Rect keptOn(const Rect& area, Rect r) noexcept {
    r.left = std::max(area.left, std::min(r.left, area.left + area.width - r.width));
    r.top = std::max(area.top, std::min(r.top, area.top + area.height - r.height));
    return r;
}

// Colour numbers as the settings store them: &HBBGGRR, red in the low byte. Numbers with the
// top bit set name a Windows system colour by its index in the low byte.
using ColorNumber = std::uint32_t;

inline constexpr ColorNumber kSystemColorFlag = 0x80000000U;
inline constexpr ColorNumber kButtonFace = 0x8000000FU;        // 3-D face
inline constexpr ColorNumber kButtonText = 0x80000012U;        // button text
inline constexpr ColorNumber kWindowBackground = 0x80000005U;  // a text box's background
inline constexpr ColorNumber kWindowText = 0x80000008U;        // a text box's text
inline constexpr ColorNumber kTransparentKey = 0x555184U;  // the bar's and the popup's colour key

[[nodiscard]] constexpr bool isSystemColor(ColorNumber c) noexcept {
    return (c & kSystemColorFlag) != 0;
}

}  // namespace quorvel::forms
