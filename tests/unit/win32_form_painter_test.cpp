// What the painter puts on screen for a form. Windows build only.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "forms/form.h"
#include "platform/win32/form_painter.h"
#include "platform/win32/handles.h"
#include "platform/win32/host_picture.h"

namespace quorvel::platform::win32 {
namespace {

constexpr int kDpi = 96;  // 15 twips per pixel
constexpr std::uint32_t kRed = 0xFFFF0000U;
constexpr std::uint32_t kBlue = 0xFF0000FFU;
constexpr std::uint32_t kHalfRed = 0x80800000U;  // premultiplied: red at half alpha

class NullHost : public forms::WindowHost, public forms::TimerService, public forms::PictureSource {
public:
    void formCreated(forms::Form&) override {}
    void formDestroyed(forms::Form&) override {}
    forms::MenuItem* popupMenu(forms::Form&, forms::MenuItem&,
                               const std::optional<forms::Rect>&) override {
        return nullptr;
    }
    void arm(forms::Timer&, std::uint32_t) override {}
    void disarm(forms::Timer&) override {}
    forms::PictureRef builtin(forms::BuiltinPicture) override { return nullptr; }
};

forms::PictureRef pictureOf(int w, int h, std::uint32_t px) {
    resources::PixelImage img(w, h);
    std::fill(img.pixels.begin(), img.pixels.end(), px);
    return std::make_shared<FilePicture>("test", std::move(img));
}

// Paints into a 32-bpp picture and reads it back as 0x00RRGGBB.
class Canvas {
public:
    Canvas(int w, int h) : w_(w), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        SelectObject(dc_.get(), bitmap_.get());
    }
    [[nodiscard]] HDC dc() const { return dc_.get(); }
    [[nodiscard]] std::uint32_t at(int x, int y) const {
        GdiFlush();
        return bits_[y * w_ + x] & 0xFFFFFFU;
    }

private:
    int w_;
    UniqueBitmap bitmap_;
    MemoryDc dc_;
    std::uint32_t* bits_ = nullptr;
};

class FormPainterTest : public ::testing::Test {
protected:
    FormPainterTest() : form_("Paint", {host_, host_, host_}, {0, 0, 600, 300}) {
        form_.setBackColor(0x0000FF);  // &HBBGGRR: red
    }
    NullHost host_;
    forms::Form form_;
    FormPainter painter_;
    Canvas canvas_{40, 20};
    void paint() { painter_.paint(form_, canvas_.dc(), 40, 20, kDpi); }
};

TEST_F(FormPainterTest, StretchedPicturesFillTheirImageUnstretchedOnesKeepTheirSize) {
    auto& stretched = form_.addImage("a", {0, 0, 150, 150});  // 10 x 10 px
    stretched.setPicture(pictureOf(2, 2, kBlue));
    auto& natural = form_.addImage("b", {300, 0, 150, 150});
    natural.setPicture(pictureOf(4, 4, kBlue));  // 4 x 4 px = 60 x 60 twips
    natural.setStretch(false);
    paint();
    EXPECT_EQ(canvas_.at(0, 0), 0x0000FFU);
    EXPECT_EQ(canvas_.at(9, 9), 0x0000FFU);
    EXPECT_EQ(canvas_.at(10, 10), 0xFF0000U);  // the back colour beyond the image
    EXPECT_EQ(canvas_.at(23, 3), 0x0000FFU);
    EXPECT_EQ(canvas_.at(24, 4), 0xFF0000U);  // beyond the picture's own size
}

TEST_F(FormPainterTest, LaterControlsLieOnTopAndHiddenOnesAreNotDrawn) {
    auto& under = form_.addImage("under", {0, 0, 150, 150});
    under.setPicture(pictureOf(1, 1, kBlue));
    auto& over = form_.addImage("over", {0, 0, 75, 75});
    over.setPicture(pictureOf(1, 1, 0xFF00FF00U));
    auto& hidden = form_.addImage("hidden", {0, 0, 150, 150});
    hidden.setPicture(pictureOf(1, 1, kRed));
    hidden.setVisible(false);
    paint();
    EXPECT_EQ(canvas_.at(2, 2), 0x00FF00U);
    EXPECT_EQ(canvas_.at(7, 7), 0x0000FFU);
}

TEST_F(FormPainterTest, AWindowPaintsAsBeforeOnceItsBufferWasGivenBack) {
    auto& picture = form_.addImage("picture", {0, 0, 150, 150});
    picture.setPicture(pictureOf(1, 1, kBlue));
    paint();
    painter_.releaseBuffer();
    painter_.releaseBuffer();      // at rest twice over: nothing to give back
    form_.setBackColor(0x00FF00);  // green
    paint();
    EXPECT_EQ(canvas_.at(2, 2), 0x0000FFU);
    EXPECT_EQ(canvas_.at(39, 19), 0x00FF00U);
    // A smaller paint after a larger one, both after the buffer went.
    Canvas large(80, 40);
    painter_.paint(form_, large.dc(), 80, 40, kDpi);
    painter_.releaseBuffer();
    paint();
    EXPECT_EQ(canvas_.at(39, 19), 0x00FF00U);
    EXPECT_EQ(large.at(79, 39), 0x00FF00U);
}

// What lies under a covered area is drawn as the bare background, whatever control is there.
TEST_F(FormPainterTest, CoveredAreasShowOnlyTheBackColour) {
    auto& picture = form_.addImage("picture", {0, 0, 150, 150});
    picture.setPicture(pictureOf(1, 1, kBlue));
    form_.setCoveredAreas({{75, 0, 150, 75}, {570, 285, 300, 300}});  // the second runs off
    paint();
    EXPECT_EQ(canvas_.at(4, 4), 0x0000FFU);
    EXPECT_EQ(canvas_.at(5, 0), 0xFF0000U);
    EXPECT_EQ(canvas_.at(9, 4), 0xFF0000U);
    EXPECT_EQ(canvas_.at(9, 5), 0x0000FFU);
}

TEST_F(FormPainterTest, HalfTransparentPixelsBlendButNeverMixWithTheColourKey) {
    form_.setBackColor(0x0000FF);
    auto& image = form_.addImage("a", {0, 0, 150, 150});
    image.setPicture(pictureOf(1, 1, kHalfRed));
    form_.addImage("faint", {150, 0, 150, 150}).setPicture(pictureOf(1, 1, 0x20200000U));
    paint();
    EXPECT_EQ(canvas_.at(5, 5), 0xFF0000U);  // red over red

    form_.setBackColor(0xFF0000);  // blue
    paint();
    EXPECT_EQ(canvas_.at(5, 5), 0x80007FU);  // half red, half blue

    form_.setBackColor(forms::kTransparentKey);
    form_.setColorKey(forms::kTransparentKey);
    paint();
    EXPECT_EQ(canvas_.at(5, 5), 0xFF0000U);   // solid enough: drawn opaque
    EXPECT_EQ(canvas_.at(15, 5), 0x845155U);  // too faint: left see-through
}

// The About window's title, in a face hardly any system has: whatever face stands in for it,
// the title is drawn on one line, both its words within the label.
TEST_F(FormPainterTest, AOneLineLabelShrinksItsFontUntilTheWholeTextFits) {
    auto& title = form_.addLabel("title", {0, 0, 3225, 855});
    title.setCaption("Qvl           Quorvel");
    title.setFont(forms::Font{"GungsuhChe", 20.25, true, false});
    title.setForeColor(0x000000);
    title.setOneLine(true);
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        const int boxWidth = 3225 * dpi / 1440;
        Canvas wide(400, 130);
        painter_.paint(form_, wide.dc(), 400, 130, dpi);
        std::vector<int> inkColumns;
        int inkTop = 130;
        int inkBottom = -1;
        for (int x = 0; x < 400; ++x) {
            bool ink = false;
            for (int y = 0; y < 130; ++y) {
                if (wide.at(x, y) != 0xFF0000U) {
                    ink = true;
                    inkTop = std::min(inkTop, y);
                    inkBottom = std::max(inkBottom, y);
                }
            }
            if (ink) {
                inkColumns.push_back(x);
            }
        }
        ASSERT_FALSE(inkColumns.empty());
        EXPECT_LT(inkColumns.back(), boxWidth);
        EXPECT_LE(inkBottom - inkTop, 20.25 * dpi / 72 + 2);  // one line of the original size
        // The widest gap is the blanks between the words; the second word is the longer one.
        std::size_t gap = 1;
        for (std::size_t i = 1; i < inkColumns.size(); ++i) {
            if (inkColumns[i] - inkColumns[i - 1] > inkColumns[gap] - inkColumns[gap - 1]) {
                gap = i;
            }
        }
        const int first = inkColumns[gap - 1] - inkColumns.front();
        const int second = inkColumns.back() - inkColumns[gap];
        EXPECT_GT(second * 2, first * 3) << first << " " << second;
    }
}

TEST_F(FormPainterTest, SystemBackColourAndBorder) {
    form_.setBackColor(forms::kButtonFace);
    auto& framed = form_.addImage("framed", {150, 75, 150, 150});
    framed.setBorderStyle(1);
    paint();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    auto rgb = [](COLORREF c) {
        return (static_cast<std::uint32_t>(GetRValue(c)) << 16U) |
               (static_cast<std::uint32_t>(GetGValue(c)) << 8U) | GetBValue(c);
    };
    EXPECT_EQ(canvas_.at(0, 0), rgb(face));
    EXPECT_EQ(canvas_.at(10, 5), rgb(frame));
    EXPECT_EQ(canvas_.at(19, 14), rgb(frame));
    EXPECT_EQ(canvas_.at(15, 10), rgb(face));
}

}  // namespace
}  // namespace quorvel::platform::win32

#endif  // _WIN32
