#include "platform/win32/ui_font.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

// A Japanese face every Japanese-capable Windows carries (Wine maps it to an installed one); the
// font mapper falls back to another Shift-JIS face when it is missing.
constexpr wchar_t kJapaneseFace[] = L"MS UI Gothic";
constexpr int kPointsPerInch = 72;
constexpr int kFallbackPoints = 9;

int CALLBACK noteFound(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                       LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Whether the face offers the Japanese character set.
bool hasJapanese(const LOGFONTW& font) {
    if (font.lfFaceName[0] == L'\0') {
        return false;
    }
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    std::copy(std::begin(font.lfFaceName), std::end(font.lfFaceName), query.lfFaceName);
    const WindowDc screen(nullptr);
    bool found = false;
    EnumFontFamiliesExW(screen.get(), &query, &noteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

bool faceExists(const LOGFONTW& wanted) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    std::copy(std::begin(wanted.lfFaceName), std::end(wanted.lfFaceName), query.lfFaceName);
    const WindowDc screen(nullptr);
    bool found = false;
    EnumFontFamiliesExW(screen.get(), &query, &noteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

LOGFONTW fontDescription(const forms::Font& font, int dpi, bool antialiased) {
    LOGFONTW lf{};
    // Quarter-point sizes land on whole pixels at 96 dpi; elsewhere the nearest pixel.
    lf.lfHeight =
        -static_cast<LONG>(std::lround(std::max(font.sizePt, 1.0) * dpi / kPointsPerInch));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = antialiased ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY;
    const std::wstring face = toWide(font.name);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    if (!faceExists(lf)) {
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lf.lfFaceName[0] = L'\0';
    }
    return lf;
}

LOGFONTW uiFontDescription(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font{};
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                   static_cast<UINT>(dpi)) != FALSE) {
        font = metrics.lfMessageFont;
    } else {
        font.lfHeight = -MulDiv(kFallbackPoints, dpi, kPointsPerInch);
        font.lfWeight = FW_NORMAL;
    }
    if (!hasJapanese(font)) {
        font.lfCharSet = SHIFTJIS_CHARSET;
        std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
        std::copy(std::begin(kJapaneseFace), std::end(kJapaneseFace), font.lfFaceName);
    }
    return font;
}

HFONT UiFont::at(int dpi) {
    for (const Entry& e : fonts_) {
        if (e.dpi == dpi) {
            return e.font.get();
        }
    }
    const LOGFONTW description = uiFontDescription(dpi);
    UniqueFont font(CreateFontIndirectW(&description));
    if (!font) {
        // Nothing better to do: the controls keep the system font.
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    fonts_.push_back({dpi, std::move(font)});
    return fonts_.back().font.get();
}

}  // namespace quorvel::platform::win32
