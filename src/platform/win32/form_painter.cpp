#include "platform/win32/form_painter.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/colors.h"
#include "platform/win32/host_picture.h"
#include "platform/win32/strconv.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000U;
// Against a colour key a pixel is either the picture's or see-through: a blend with the key
// colour would leave a purple fringe around every item of a transparent bar.
constexpr std::uint32_t kKeyedAlphaThreshold = 128;
constexpr std::size_t kMaxFonts = 12;
// A one-line label's font shrinks in quarter points, never below a size still legible.
constexpr double kSizeSteps = 4.0;
constexpr double kSmallestPt = 6.0;
constexpr int kFitTries = 4;
// The focus mark: a black line round the item and a white one round that, each two pixels wide
// at 96 dpi and as wide in inches at any other resolution, so that it reads on a dark item as
// on a light one, and on a see-through bar (neither is the colour key).
constexpr forms::Twips kFocusLineTwips = 30;
constexpr std::uint32_t kFocusInner = 0xFF000000U;
constexpr std::uint32_t kFocusOuter = 0xFFFFFFFFU;

std::uint32_t toPixel(COLORREF c) {
    return kOpaque | (static_cast<std::uint32_t>(GetRValue(c)) << 16U) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8U) | GetBValue(c);
}

std::uint32_t over(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t a = src >> 24U;
    if (a == 0xFFU) {
        return src;
    }
    if (a == 0) {
        return dst;
    }
    const std::uint32_t keep = 255U - a;
    auto channel = [&](unsigned shift) {
        const std::uint32_t s = (src >> shift) & 0xFFU;
        const std::uint32_t d = (dst >> shift) & 0xFFU;
        return std::min<std::uint32_t>(255U, s + (d * keep + 127U) / 255U) << shift;
    };
    return channel(0) | channel(8) | channel(16) | kOpaque;
}

std::uint32_t keyed(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t a = src >> 24U;
    if (a < kKeyedAlphaThreshold) {
        return dst;
    }
    auto channel = [&](unsigned shift) {
        const std::uint32_t c = (src >> shift) & 0xFFU;
        return std::min<std::uint32_t>(255U, (c * 255U + a / 2) / a) << shift;
    };
    return channel(0) | channel(8) | channel(16) | kOpaque;
}

}  // namespace

bool FormPainter::ensureBuffer(HDC reference, int width, int height) {
    if (width <= bufferWidth_ && height <= bufferHeight_ && bitmap_) {
        return true;
    }
    // The first buffer is the window's own size. One that has to grow takes room to spare: the
    // opening animation widens the bar on every tick.
    const int w = bitmap_ ? std::max(width, bufferWidth_) + width / 4 : std::max(width, 64);
    const int h = std::max({height, bufferHeight_, 16});
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    if (!dc_) {
        dc_.reset(CreateCompatibleDC(reference));
    }
    UniqueBitmap bitmap(CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap || bits == nullptr) {
        return false;
    }
    SelectObject(dc_.get(), bitmap.get());  // the DC keeps its bitmap for its whole life
    bitmap_ = std::move(bitmap);
    bits_ = static_cast<std::uint32_t*>(bits);
    bufferWidth_ = w;
    bufferHeight_ = h;
    return true;
}

void FormPainter::releaseBuffer() noexcept {
    dc_.reset();  // the DC first: it still holds the bitmap
    bitmap_.reset();
    bits_ = nullptr;
    bufferWidth_ = 0;
    bufferHeight_ = 0;
}

HFONT FormPainter::fontFor(const forms::Font& font, int dpi, bool keyedForm) {
    for (const FontEntry& e : fonts_) {
        if (e.font == font && e.dpi == dpi && e.keyed == keyedForm) {
            return e.handle.get();
        }
    }
    // Against a colour key a smoothed edge would be a fringe of the key colour.
    const LOGFONTW lf = fontDescription(font, dpi, !keyedForm);
    if (fonts_.size() >= kMaxFonts) {
        fonts_.erase(fonts_.begin());
    }
    fonts_.push_back({font, dpi, keyedForm, UniqueFont(CreateFontIndirectW(&lf))});
    return fonts_.back().handle.get();
}

void FormPainter::drawImage(const forms::Image& image, int dpi, bool keyedForm) {
    const PixelBox box = toPixels(image.bounds(), dpi);
    const auto* picture = dynamic_cast<const HostPicture*>(image.picture().get());
    if (picture != nullptr && box.width() > 0 && box.height() > 0) {
        int w = box.width();
        int h = box.height();
        if (!image.stretch()) {
            const forms::Rect natural = picture->naturalSize();
            w = twipsToPixels(natural.width, dpi);
            h = twipsToPixels(natural.height, dpi);
        }
        const resources::PixelImage& pixels = picture->pixelsAt(w, h);
        const int x1 = std::min({box.right, box.left + pixels.width, width_});
        const int y1 = std::min({box.bottom, box.top + pixels.height, height_});
        for (int y = std::max(box.top, 0); y < y1; ++y) {
            std::uint32_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * bufferWidth_;
            for (int x = std::max(box.left, 0); x < x1; ++x) {
                const std::uint32_t src = pixels.at(x - box.left, y - box.top);
                row[x] = keyedForm ? keyed(src, row[x]) : over(src, row[x]);
            }
        }
    }
    if (image.borderStyle() == 1 && box.width() > 0 && box.height() > 0) {
        const std::uint32_t line = toPixel(GetSysColor(COLOR_WINDOWFRAME));
        auto put = [&](int x, int y) {
            if (x >= 0 && y >= 0 && x < width_ && y < height_) {
                bits_[static_cast<std::ptrdiff_t>(y) * bufferWidth_ + x] = line;
            }
        };
        for (int x = box.left; x < box.right; ++x) {
            put(x, box.top);
            put(x, box.bottom - 1);
        }
        for (int y = box.top; y < box.bottom; ++y) {
            put(box.left, y);
            put(box.right - 1, y);
        }
    }
}

void FormPainter::drawLabel(const forms::Label& label, int dpi, bool keyedForm) {
    if (label.caption().empty()) {
        return;
    }
    const PixelBox box = toPixels(label.bounds(), dpi);
    RECT rect{box.left, box.top, box.right, box.bottom};
    SetBkMode(dc_.get(), TRANSPARENT);
    SetTextColor(dc_.get(), toColorRef(label.foreColor()));
    std::wstring text = toWide(label.caption());
    HFONT face = label.oneLine() ? oneLineFont(label, text, box.width(), dpi, keyedForm)
                                 : fontFor(label.font(), dpi, keyedForm);
    const SelectScope font(dc_.get(), face);
    UINT align = DT_LEFT;
    if (label.alignment() == forms::Alignment::Center) {
        align = DT_CENTER;
    } else if (label.alignment() == forms::Alignment::Right) {
        align = DT_RIGHT;
    }
    DrawTextW(dc_.get(), text.data(), static_cast<int>(text.size()), &rect,
              align | (label.oneLine() ? DT_SINGLELINE : DT_WORDBREAK) | DT_NOPREFIX);
    GdiFlush();  // the next picture writes the bits directly
}

HFONT FormPainter::oneLineFont(const forms::Label& label, const std::wstring& text, int width,
                               int dpi, bool keyedForm) {
    forms::Font font = label.font();
    HFONT face = fontFor(font, dpi, keyedForm);
    for (int i = 0; i < kFitTries && font.sizePt > kSmallestPt; ++i) {
        const SelectScope selected(dc_.get(), face);
        RECT needed{0, 0, 0, 0};
        DrawTextW(dc_.get(), text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        if (needed.right <= width) {
            break;
        }
        // Text widths grow nearly in step with the size; a size that rounds to the same pixel
        // height is stepped over.
        const double scaled =
            std::floor(font.sizePt * width / needed.right * kSizeSteps) / kSizeSteps;
        font.sizePt = std::max(kSmallestPt, std::min(scaled, font.sizePt - 1.0 / kSizeSteps));
        face = fontFor(font, dpi, keyedForm);
    }
    return face;
}

void FormPainter::frame(const PixelBox& box, int thickness, std::uint32_t colour) {
    auto fill = [&](int x0, int y0, int x1, int y1) {
        for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
            std::uint32_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * bufferWidth_;
            for (int x = std::max(x0, 0); x < std::min(x1, width_); ++x) {
                row[x] = colour;
            }
        }
    };
    fill(box.left, box.top, box.right, box.top + thickness);
    fill(box.left, box.bottom - thickness, box.right, box.bottom);
    fill(box.left, box.top, box.left + thickness, box.bottom);
    fill(box.right - thickness, box.top, box.right, box.bottom);
}

void FormPainter::drawFocusMark(const forms::ItemRow& row, int dpi) {
    const forms::Image* item = row.currentImage();
    if (item == nullptr) {
        return;
    }
    const int line = std::max(1, twipsToPixels(kFocusLineTwips, dpi));
    const PixelBox box = toPixels(item->bounds(), dpi);
    const PixelBox inner{box.left - line, box.top - line, box.right + line, box.bottom + line};
    const PixelBox outer{inner.left - line, inner.top - line, inner.right + line,
                         inner.bottom + line};
    frame(inner, line, kFocusInner);
    frame(outer, line, kFocusOuter);
}

void FormPainter::paint(const forms::Form& form, HDC target, int width, int height, int dpi) {
    if (width <= 0 || height <= 0 || !ensureBuffer(target, width, height)) {
        return;
    }
    width_ = width;
    height_ = height;
    GdiFlush();
    const bool keyedForm = form.colorKey().has_value();
    const std::uint32_t back = toPixel(toColorRef(form.backColor()));
    for (int y = 0; y < height; ++y) {
        std::fill_n(bits_ + static_cast<std::ptrdiff_t>(y) * bufferWidth_, width, back);
    }
    for (const auto& control : form.controls()) {
        if (!control->visible()) {
            continue;
        }
        if (control->kind() == forms::ControlKind::Image) {
            drawImage(static_cast<const forms::Image&>(*control), dpi, keyedForm);
        } else if (control->kind() == forms::ControlKind::Label) {
            drawLabel(static_cast<const forms::Label&>(*control), dpi, keyedForm);
        }
    }
    for (const forms::Rect& covered : form.coveredAreas()) {
        const PixelBox box = toPixels(covered, dpi);
        for (int y = std::max(box.top, 0); y < std::min(box.bottom, height); ++y) {
            std::uint32_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * bufferWidth_;
            std::fill(row + std::clamp(box.left, 0, width), row + std::clamp(box.right, 0, width),
                      back);
        }
    }
    // Over everything, where the keyboard is.
    for (const auto& control : form.controls()) {
        if (control->kind() == forms::ControlKind::ItemRow) {
            const auto& row = static_cast<const forms::ItemRow&>(*control);
            if (row.showsFocus()) {
                drawFocusMark(row, dpi);
            }
        }
    }
    BitBlt(target, 0, 0, width, height, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace quorvel::platform::win32
