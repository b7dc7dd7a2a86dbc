// Text and length conversions at the Win32 edge. Windows build only.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/dialogs.h"
#include "platform/win32/strconv.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {
namespace {

TEST(Win32Strconv, RoundTripsJapaneseAndCharactersBeyondTheBasicPlane) {
    const std::string samples[] = {"", "ＭＳ Ｐゴシック", "ﾌｫﾙﾀﾞ", "C:\\ユーザー\\文書", "a😀b"};
    for (const std::string& utf8 : samples) {
        EXPECT_EQ(toUtf8(toWide(utf8)), utf8) << utf8;
    }
    EXPECT_EQ(toWide("a😀b").size(), 4U);  // the emoji is a surrogate pair
    EXPECT_EQ(toWide("ﾌｫﾙﾀﾞ"), L"\uFF8C\uFF6B\uFF99\uFF80\uFF9E");
}

TEST(Win32Strconv, ReplacesBrokenInputInsteadOfDroppingIt) {
    EXPECT_EQ(toWide("a\xFF"
                     "b"),
              L"a\uFFFDb");
    EXPECT_EQ(toUtf8(std::wstring(L"x\xD800y")), "x\xEF\xBF\xBDy");
    EXPECT_EQ(toWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(Win32Units, TwipsToPixelsAtTheCommonDpis) {
    struct Case {
        forms::Twips twips;
        int dpi;
        int pixels;
    };
    const Case cases[] = {
        {15, 96, 1},      {7, 96, 0},     {8, 96, 1},  // half a pixel rounds up
        {12495, 96, 833}, {735, 96, 49},  {225, 96, 15},
        {10, 144, 1},     {735, 144, 74}, {12495, 144, 1250},  // 1249.5 rounds away from 0
        {-8, 96, -1},     {-7, 96, 0},    {480, 192, 64},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

TEST(Win32Units, PixelsToTwipsAndBack) {
    EXPECT_EQ(pixelsToTwips(1024, 96), 15360);
    EXPECT_EQ(pixelsToTwips(1024, 144), 10240);
    EXPECT_EQ(pixelsToTwips(-3, 96), -45);
    EXPECT_EQ(pixelsToTwips(5, 0), 0);
    for (int px : {0, 1, 49, 833, 1023}) {
        for (int dpi : {96, 120, 144, 192}) {
            EXPECT_EQ(twipsToPixels(pixelsToTwips(px, dpi), dpi), px) << px << " at " << dpi;
        }
    }
}

TEST(Win32Units, TouchingControlsStayTouchingInPixels) {
    // The divider ends where slot 1 begins, and the bar's background ends at the window edge,
    // at every DPI and whatever the rounding of the widths.
    const forms::Rect divider{2040, 120, 240, 480};
    const forms::Rect slot1{2280, 120, 480, 480};
    for (int dpi : {96, 120, 144, 168, 192}) {
        EXPECT_EQ(toPixels(divider, dpi).right, toPixels(slot1, dpi).left) << dpi;
        const forms::Rect left{0, 0, 1337, 10};
        const forms::Rect right{1337, 0, 999, 10};
        EXPECT_EQ(toPixels(left, dpi).right, toPixels(right, dpi).left) << dpi;
    }
    // A 2-twip bar (before it grows open) is empty, not a pixel wide.
    EXPECT_EQ(toPixels({0, 0, 2, 735}, 96).width(), 0);
}

TEST(Win32Units, TaskbarHeightReachesTheBarIn96DpiPixels) {
    EXPECT_EQ(toDesignPixels(30, 96), 30);
    EXPECT_EQ(toDesignPixels(45, 144), 30);  // 45 px at 144 dpi are 450 twips, as 30 px at 96
    EXPECT_EQ(toDesignPixels(1, 144), 1);
    EXPECT_EQ(toDesignPixels(768, 144), 512);
}

TEST(Win32Dialogs, LoneCarriageReturnsBecomeLineBreaks) {
    EXPECT_EQ(messageBoxText("一行目\r二行目"), L"一行目\r\n二行目");
    EXPECT_EQ(messageBoxText("a\r\nb"), L"a\r\nb");
    EXPECT_EQ(messageBoxText("a\r"), L"a\r\n");
    EXPECT_EQ(messageBoxText("\r\r"), L"\r\n\r\n");
    EXPECT_EQ(messageBoxText("既に起動されています。"), L"既に起動されています。");
}

}  // namespace
}  // namespace quorvel::platform::win32

#endif  // _WIN32
