#include "platform/win32/ui_font.h"

#include <algorithm>
#include <iterator>

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

}  // namespace

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
