#include "resources/builtin_art.h"

#include <algorithm>
#include <cmath>

#include "resources/canvas.h"

namespace quorvel::resources {

using forms::BuiltinPicture;

namespace {

constexpr float kIcon = 32;  // icons are designed on a 32 x 32 grid

// The colours shared by the pictures, so the bar reads as one set.
constexpr Rgba kInk = rgb(0x3F4A59);
constexpr Rgba kWhite = rgb(0xFFFFFF);

void drawProgramIcon(Canvas& c) {
    const Shape tile = roundRect(2, 2, 30, 30, 6.5F);
    c.fill(tile, vertical(2, rgb(0x62B2EE), 30, rgb(0x2259A8)));
    c.fill(outline(tile, 0.5F), rgb(0x1C4C8F, 0.6F));
    // A launch chevron above a bar of three slots: the program in one picture.
    const Vec2 left{10.5F, 13}, top{16, 7.5F}, right{21.5F, 13};
    c.fill(unite(capsule(left, top, 1.7F), capsule(top, right, 1.7F)), kWhite);
    c.fill(roundRect(5.5F, 17, 26.5F, 25.5F, 2.5F), rgb(0xFFFFFF, 0.96F));
    c.fill(roundRect(8.5F, 19, 12.5F, 23.5F, 1), rgb(0xF2A93B));
    c.fill(roundRect(14, 19, 18, 23.5F, 1), rgb(0x43B765));
    c.fill(roundRect(19.5F, 19, 23.5F, 23.5F, 1), rgb(0xE5534B));
}

void drawMyComputer(Canvas& c) {
    c.fill(roundRect(8.5F, 26.5F, 23.5F, 29.5F, 1.3F),
           vertical(26.5F, rgb(0x6A7584), 29.5F, rgb(0x424B57)));
    c.fill(polygon({{13.5F, 22}, {18.5F, 22}, {19.7F, 27}, {12.3F, 27}}), rgb(0x7A8593));
    const Shape bezel = roundRect(2, 3.5F, 30, 23.5F, 2.5F);
    c.fill(bezel, vertical(3.5F, rgb(0x4B5563), 23.5F, rgb(0x2C333D)));
    const Shape screen = roundRect(4.2F, 5.7F, 27.8F, 21.3F, 1);
    c.fill(screen, vertical(5.7F, rgb(0x7CC8F8), 21.3F, rgb(0x1F6FC0)));
    // A soft diagonal glare keeps the screen from looking flat-painted.
    c.fill(intersect(screen, polygon({{4, 5.5F}, {20, 5.5F}, {10, 21.5F}, {4, 21.5F}})),
           rgb(0xFFFFFF, 0.16F));
    c.fill(circle({16, 22.45F}, 0.55F), rgb(0x7CE08A));
}

void drawMyDocuments(Canvas& c) {
    const Shape back = unite(roundRect(3, 7, 29, 27.5F, 2), roundRect(3, 4.5F, 13.5F, 10, 1.6F));
    c.fill(back, vertical(4.5F, rgb(0xE9AE3A), 27.5F, rgb(0xC4861A)));
    const Shape page = roundRect(7.5F, 2.5F, 24.5F, 21, 1);
    c.fill(page, kWhite);
    c.fill(outline(page, 0.45F), rgb(0xB8BEC7));
    for (const float y : {7.0F, 10.0F, 13.0F}) {
        c.fill(capsule({11, y}, {21, y}, 0.6F), rgb(0x9FB3C8));
    }
    const Shape front = roundRect(2.5F, 12, 29.5F, 28, 2);
    c.fill(front, vertical(12, rgb(0xFFD770), 28, rgb(0xF0AE2A)));
    c.fill(outline(front, 0.45F), rgb(0xC98A16, 0.8F));
    c.fill(capsule({4.5F, 13.2F}, {27.5F, 13.2F}, 0.45F), rgb(0xFFFFFF, 0.55F));
}

// The bin's body and ribs; the lid is drawn by the caller so the full bin can lift it.
void drawBinBody(Canvas& c) {
    const Shape body = grow(polygon({{8, 12}, {24, 12}, {22.4F, 27.8F}, {9.6F, 27.8F}}), 1.1F);
    c.fill(body, vertical(11, rgb(0xE6ECF2), 29, rgb(0xA3B1C2)));
    c.fill(outline(body, 0.5F), rgb(0x6F7D8E));
    c.fill(capsule({12.6F, 14.5F}, {13.2F, 26}, 0.65F), rgb(0x8593A5));
    c.fill(capsule({16, 14.5F}, {16, 26}, 0.65F), rgb(0x8593A5));
    c.fill(capsule({19.4F, 14.5F}, {18.8F, 26}, 0.65F), rgb(0x8593A5));
}

void drawBinLid(Canvas& c, float degrees, Vec2 lift) {
    auto moved = [&](std::vector<Vec2> pts) {
        for (Vec2& p : pts) {
            p = {p.x + lift.x, p.y + lift.y};
        }
        return rotated(std::move(pts), {5.5F + lift.x, 10.5F + lift.y}, degrees);
    };
    const Shape lid =
        grow(polygon(moved({{6.5F, 8.5F}, {25.5F, 8.5F}, {25.5F, 10}, {6.5F, 10}})), 1.0F);
    const Shape handle =
        outline(polygon(moved({{13, 5.5F}, {19, 5.5F}, {19, 7.5F}, {13, 7.5F}})), 0.75F);
    c.fill(handle, rgb(0x6F7D8E));
    c.fill(lid, vertical(7, rgb(0xCDD6E1), 11.5F, rgb(0x8D9BAE)));
    c.fill(outline(lid, 0.45F), rgb(0x6F7D8E));
}

void drawRecycleBinEmpty(Canvas& c) {
    drawBinBody(c);
    drawBinLid(c, 0, {0, 0});
}

void drawRecycleBinFull(Canvas& c) {
    // Paper sticking out of the open bin, behind its front wall.
    const Shape sheet = polygon(rotated({{10, 4}, {19, 4}, {19, 16}, {10, 16}}, {14.5F, 10}, -14));
    c.fill(sheet, rgb(0xFDFDFD));
    c.fill(outline(sheet, 0.45F), rgb(0xA9B2BE));
    c.fill(capsule({12.2F, 7.6F}, {16.8F, 6.5F}, 0.5F), rgb(0x9FB3C8));
    c.fill(capsule({12.7F, 10.2F}, {17.3F, 9.1F}, 0.5F), rgb(0x9FB3C8));
    const Shape ball = circle({20.5F, 9.5F}, 3.6F);
    c.fill(ball, rgb(0xF2F4F7));
    c.fill(outline(ball, 0.45F), rgb(0xA9B2BE));
    c.fill(capsule({18.6F, 8.4F}, {21.5F, 10.8F}, 0.35F), rgb(0xC3CAD3));
    drawBinBody(c);
    drawBinLid(c, -24, {-1.5F, -1.5F});
}

// A page with a shortcut's arrow: a link to something that shows no picture of its own.
void drawLink(Canvas& c) {
    const Shape page = polygon({{8, 2.5F}, {20, 2.5F}, {26, 8.5F}, {26, 29.5F}, {8, 29.5F}});
    c.fill(page, vertical(2.5F, rgb(0xFFFFFF), 29.5F, rgb(0xE4EAF1)));
    c.fill(outline(page, 0.5F), rgb(0x8593A5));
    const Shape fold = polygon({{20, 2.5F}, {20, 8.5F}, {26, 8.5F}});
    c.fill(fold, rgb(0xC9D3DF));
    c.fill(outline(fold, 0.45F), rgb(0x8593A5));
    for (const float y : {12.0F, 15.5F}) {
        c.fill(capsule({12, y}, {22, y}, 0.7F), rgb(0x9FB3C8));
    }
    const Shape badge = roundRect(3, 17, 17, 31, 3);
    c.fill(badge, vertical(17, rgb(0x5AA8EC), 31, rgb(0x1F62B5)));
    c.fill(outline(badge, 0.45F), rgb(0x184F92));
    c.fill(capsule({7.5F, 27}, {12.3F, 22.2F}, 1.15F), kWhite);
    c.fill(polygon({{8.8F, 20.2F}, {14.6F, 19.9F}, {14.3F, 25.7F}}), kWhite);
}

void drawCloseButton(Canvas& c) {
    const Shape disc = circle({7.5F, 7.5F}, 7);
    c.fill(disc, vertical(0.5F, rgb(0xFF8078), 14.5F, rgb(0xD2372D)));
    c.fill(outline(circle({7.5F, 7.5F}, 6.75F), 0.4F), rgb(0xA8271F, 0.85F));
    c.fill(intersect(circle({7.5F, 5.6F}, 4.6F), circle({7.5F, 7.5F}, 6.2F)), rgb(0xFFFFFF, 0.2F));
    c.fill(capsule({5.1F, 5.1F}, {9.9F, 9.9F}, 0.85F), kWhite);
    c.fill(capsule({9.9F, 5.1F}, {5.1F, 9.9F}, 0.85F), kWhite);
}

// Drawn in pixels: an engraving is one dark and one light line, each a whole pixel wide (two at
// 192 dpi), so it never smears into grey.
void drawDivider(Canvas& c, int width, int height) {
    const float line = std::max(1.0F, std::round(static_cast<float>(height) / 32.0F));
    const float mid = std::floor(static_cast<float>(width) / 2);
    const float y0 = static_cast<float>(height) * 0.1F;
    const float y1 = static_cast<float>(height) * 0.9F;
    const float fade = static_cast<float>(height) * 0.22F;
    auto faded = [=](Rgba colour) -> Paint {
        return [=](Vec2 p) {
            Rgba out = colour;
            out.a *= std::clamp(std::min(p.y - y0, y1 - p.y) / fade, 0.0F, 1.0F);
            return out;
        };
    };
    c.fill(roundRect(mid - line, y0, mid, y1, 0), faded(rgb(0x7D8A9A, 0.9F)));
    c.fill(roundRect(mid, y0, mid + line, y1, 0), faded(rgb(0xFFFFFF, 0.95F)));
}

void drawBackground(Canvas& c, int width, int height) {
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    const Paint steel = [h](Vec2 p) {
        const float t = p.y / h;
        const Rgba top = rgb(0xF6F8FB), mid = rgb(0xE3E8EE), bottom = rgb(0xC9D2DD);
        const Rgba& a = t < 0.5F ? top : mid;
        const Rgba& b = t < 0.5F ? mid : bottom;
        const float u = t < 0.5F ? t * 2 : (t - 0.5F) * 2;
        return Rgba{a.r + (b.r - a.r) * u, a.g + (b.g - a.g) * u, a.b + (b.b - a.b) * u, 1};
    };
    const float px = std::max(1.0F, std::round(h / 49.0F));
    c.fill(roundRect(0, 0, w, h, 0), steel);
    c.fill(roundRect(0, 0, w, px, 0), rgb(0xFFFFFF, 0.9F));
    c.fill(roundRect(0, h - px, w, h, 0), rgb(0x97A3B2));
    c.fill(roundRect(0, 0, px, h, 0), rgb(0xAEB8C5));
    c.fill(roundRect(w - px, 0, w, h, 0), rgb(0xAEB8C5));
}

// Hiding the taskbar sends it down into the screen edge; bringing it back lifts it out.
void drawTaskbarButton(Canvas& c, bool down) {
    const std::vector<Vec2> arrow = down ? std::vector<Vec2>{{3.5F, 5}, {12.5F, 5}, {8, 10.5F}}
                                         : std::vector<Vec2>{{3.5F, 11}, {12.5F, 11}, {8, 5.5F}};
    c.fill(grow(polygon(arrow), 0.4F), kInk);
    c.fill(roundRect(3.2F, 13.2F, 12.8F, 15.2F, 0.9F), kInk);
}

// Light blue, yet deep enough that the panel's white set numbers read on it.
void drawPanelButton(Canvas& c) {
    const Shape box = roundRect(0.5F, 0.5F, 14.5F, 14.5F, 3);
    c.fill(box, vertical(0.5F, rgb(0xA8D6FA), 14.5F, rgb(0x5AA2E0)));
    c.fill(outline(box, 0.5F), rgb(0x3B7FBE));
    c.fill(capsule({3.5F, 2.2F}, {11.5F, 2.2F}, 0.5F), rgb(0xFFFFFF, 0.75F));
}

void drawFourFrames(Canvas& c) {
    // Four small frames side by side, one for each launcher set.
    for (int i = 0; i < 4; ++i) {
        const float left = 1.5F + 3.4F * static_cast<float>(i);
        const Shape frame = roundRect(left, 4.7F, left + 2.8F, 11.3F, 0.6F);
        c.fill(frame, rgb(0xFFFFFF, 0.9F));
        c.fill(outline(frame, 0.5F), rgb(0x356A9C));
    }
}

// An arrow pointing up at the item the settings window edits.
void drawSelectionMarker(Canvas& c) {
    c.fill(grow(polygon({{3, 7.2F}, {13, 7.2F}, {8, 1.6F}}), 0.5F), rgb(0x2F6FD0));
}

// The settings window's small picture of the screen: a desktop in a thin dark frame, with the
// taskbar and the bar drawn over it by images of their own.
void drawPreviewScreen(Canvas& c, float w, float h) {
    c.fill(roundRect(0, 0, w, h, 0), rgb(0x303841));
    c.fill(roundRect(1, 1, w - 1, h - 1, 0), vertical(1, rgb(0x3A8FB7), h - 1, rgb(0x1E5C85)));
}

void drawPreviewTaskbar(Canvas& c, float w, float h) {
    c.fill(roundRect(0, 0, w, h, 0), rgb(0xD4D0C8));
    c.fill(roundRect(0, 0, w, 1, 0), rgb(0xFFFFFF));
    // The start button at its left end.
    c.fill(roundRect(2, 1.5F, std::min(w - 2, h * 2.4F), h - 1, 0.5F), rgb(0x3C9A4A));
}

void drawPreviewBar(Canvas& c, float w, float h) {
    c.fill(roundRect(0, 0, w, h, 0), vertical(0, rgb(0xF6F8FB), h, rgb(0xC9D2DD)));
    c.fill(outline(roundRect(0.5F, 0.5F, w - 0.5F, h - 0.5F, 0), 0.5F), rgb(0x7D8A9A));
}

// The bar's items in miniature: close button, three fixed items and a few links.
void drawPreviewBarItems(Canvas& c, float w, float h) {
    const float size = std::max(2.0F, h - 3);
    const float pitch = size + std::max(1.0F, size / 3);
    const Rgba colours[] = {rgb(0xD2372D), rgb(0x1F6FC0), rgb(0xF0AE2A), rgb(0x8593A5),
                            rgb(0x43B765), rgb(0xF2A93B), rgb(0x7A5BC8), rgb(0xE5534B)};
    float x = 2;
    for (const Rgba& colour : colours) {
        if (x + size > w - 1) {
            break;
        }
        c.fill(roundRect(x, 1.5F, x + size, 1.5F + size, 0.6F), colour);
        x += pitch;
    }
}

}  // namespace

forms::Rect naturalSize(BuiltinPicture which) noexcept {
    switch (which) {
        case BuiltinPicture::CloseButton:
        case BuiltinPicture::PanelButton:
            return {0, 0, 225, 225};
        case BuiltinPicture::Divider:
            return {0, 0, 240, 480};
        case BuiltinPicture::Background:
            return {0, 0, 1342, 735};
        case BuiltinPicture::TaskbarDown:
        case BuiltinPicture::TaskbarUp:
            return {0, 0, 235, 300};
        case BuiltinPicture::PanelFourFrames:
            return {0, 0, 240, 240};
        case BuiltinPicture::SelectionMarker:
            return {0, 0, 240, 120};
        case BuiltinPicture::PreviewScreen:
            return {0, 0, 1740, 1305};
        case BuiltinPicture::PreviewTaskbar:
            return {0, 0, 1740, 105};
        case BuiltinPicture::PreviewBar:
        case BuiltinPicture::PreviewBarItems:
            return {0, 0, 840, 105};
        case BuiltinPicture::ProgramIcon:
        case BuiltinPicture::MyComputer:
        case BuiltinPicture::MyDocuments:
        case BuiltinPicture::RecycleBinEmpty:
        case BuiltinPicture::RecycleBinFull:
        case BuiltinPicture::Link:
            break;
    }
    return {0, 0, 480, 480};
}

PixelImage drawBuiltin(BuiltinPicture which, int width, int height) {
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    switch (which) {
        case BuiltinPicture::Divider: {
            Canvas c(width, height, w, h);
            drawDivider(c, width, height);
            return c.take();
        }
        case BuiltinPicture::Background: {
            Canvas c(width, height, w, h);
            drawBackground(c, width, height);
            return c.take();
        }
        case BuiltinPicture::CloseButton: {
            Canvas c(width, height, 15, 15);
            drawCloseButton(c);
            return c.take();
        }
        case BuiltinPicture::PanelButton: {
            Canvas c(width, height, 15, 15);
            drawPanelButton(c);
            return c.take();
        }
        case BuiltinPicture::PanelFourFrames: {
            Canvas c(width, height, 16, 16);
            drawFourFrames(c);
            return c.take();
        }
        case BuiltinPicture::TaskbarDown:
        case BuiltinPicture::TaskbarUp: {
            Canvas c(width, height, 16, 20);
            drawTaskbarButton(c, which == BuiltinPicture::TaskbarDown);
            return c.take();
        }
        case BuiltinPicture::SelectionMarker: {
            Canvas c(width, height, 16, 8);
            drawSelectionMarker(c);
            return c.take();
        }
        case BuiltinPicture::PreviewScreen: {
            Canvas c(width, height, w, h);
            drawPreviewScreen(c, w, h);
            return c.take();
        }
        case BuiltinPicture::PreviewTaskbar: {
            Canvas c(width, height, w, h);
            drawPreviewTaskbar(c, w, h);
            return c.take();
        }
        case BuiltinPicture::PreviewBar: {
            Canvas c(width, height, w, h);
            drawPreviewBar(c, w, h);
            return c.take();
        }
        case BuiltinPicture::PreviewBarItems: {
            Canvas c(width, height, w, h);
            drawPreviewBarItems(c, w, h);
            return c.take();
        }
        default:
            break;
    }
    Canvas c(width, height, kIcon, kIcon);
    switch (which) {
        case BuiltinPicture::ProgramIcon:
            drawProgramIcon(c);
            break;
        case BuiltinPicture::MyComputer:
            drawMyComputer(c);
            break;
        case BuiltinPicture::MyDocuments:
            drawMyDocuments(c);
            break;
        case BuiltinPicture::RecycleBinEmpty:
            drawRecycleBinEmpty(c);
            break;
        case BuiltinPicture::RecycleBinFull:
            drawRecycleBinFull(c);
            break;
        case BuiltinPicture::Link:
            drawLink(c);
            break;
        default:
            break;
    }
    return c.take();
}

}  // namespace quorvel::resources
