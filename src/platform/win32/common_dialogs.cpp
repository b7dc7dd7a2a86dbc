// The file-open, font and colour dialogs of the system (comdlg32).
#include <vector>

#include "platform/win32/colors.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

// Room for a path far longer than MAX_PATH: the dialog reports "buffer too small" otherwise,
// which would read as a cancel.
constexpr DWORD kPathBuffer = 32768;
constexpr int kPointsPerInch = 72;

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

}  // namespace

std::wstring fileDialogFilter(const std::string& utf8) {
    std::wstring filter = toWide(utf8);
    for (wchar_t& c : filter) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    if (filter.empty() || filter.back() != L'\0') {
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

std::optional<std::string> Win32Dialogs::openFile(const OpenFileRequest& request) {
    const std::wstring filter = fileDialogFilter(request.filter);
    const std::wstring folder = toWide(request.initialFolder);
    std::vector<wchar_t> file(kPathBuffer, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex > 0 ? request.filterIndex : 1);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPathBuffer;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // The current directory stays where the program was started: the folder chooser starts
    // there, and a dialog must not move it.
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (request.hideReadOnly) {
        ofn.Flags |= OFN_HIDEREADONLY;
    }
    if (!library_.load() || !library_.getOpenFileName(&ofn) || file[0] == L'\0') {
        return std::nullopt;  // cancelled (CommDlgExtendedError 0) or failed: no choice either way
    }
    return toUtf8(file.data());
}

std::optional<FontChoice> Win32Dialogs::chooseFont(const FontChoice& preset) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(preset.sizePt, screenDpi(), kPointsPerInch);
    font.lfWeight = preset.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = preset.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    toWide(preset.name).copy(font.lfFaceName, LF_FACESIZE - 1);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = owner();
    cf.lpLogFont = &font;
    cf.iPointSize = preset.sizePt * 10;
    // The fonts installed for the screen, where the names are shown.
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!library_.load() || !library_.chooseFont(&cf)) {
        return std::nullopt;
    }
    FontChoice chosen;
    chosen.name = toUtf8(font.lfFaceName);
    chosen.sizePt = cf.iPointSize / 10;
    chosen.bold = font.lfWeight >= FW_SEMIBOLD;
    chosen.italic = font.lfItalic != FALSE;
    return chosen;
}

std::optional<forms::ColorNumber> Win32Dialogs::chooseColor(forms::ColorNumber initial) {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner();
    // A system colour number stands for the colour it names today; the dialog shows that.
    cc.rgbResult = toColorRef(initial);
    cc.lpCustColors = customColours_.data();
    cc.Flags = CC_RGBINIT;
    if (!library_.load() || !library_.chooseColor(&cc)) {
        return std::nullopt;
    }
    return static_cast<forms::ColorNumber>(cc.rgbResult & 0xFFFFFFU);
}

}  // namespace quorvel::platform::win32
