#include "platform/win32/shell_icons.h"

#include <array>
#include <vector>

#include "platform/win32/error.h"
#include "platform/win32/handles.h"
#include "resources/icon_file.h"
// clang-format off
#include <commoncontrols.h>
// clang-format on

namespace quorvel::platform::win32 {

namespace {

// A bitmap's pixels as 32-bpp rows, top down.
std::vector<std::uint32_t> rowsOf(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                      static_cast<std::size_t>(height));
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) !=
        height) {
        pixels.clear();
    }
    return pixels;
}

std::uint32_t premultiplied(std::uint32_t px, std::uint32_t alpha) {
    const auto scale = [alpha](std::uint32_t c) { return (c * alpha + 127U) / 255U; };
    return scale(px & 0xFFU) | (scale((px >> 8U) & 0xFFU) << 8U) |
           (scale((px >> 16U) & 0xFFU) << 16U) | (alpha << 24U);
}

resources::PixelImage iconAt(IImageList& list, int index) {
    HICON raw = nullptr;
    if (FAILED(list.GetIcon(index, ILD_TRANSPARENT, &raw))) {
        return {};
    }
    const UniqueIcon icon(raw);
    return pixelsOf(icon.get());
}

}  // namespace

resources::PixelImage pixelsOf(HICON icon) {
    ICONINFO parts{};
    if (icon == nullptr || GetIconInfo(icon, &parts) == FALSE) {
        return {};
    }
    const UniqueBitmap colour(parts.hbmColor);
    const UniqueBitmap mask(parts.hbmMask);
    BITMAP size{};
    if (!colour || GetObjectW(colour.get(), sizeof(size), &size) == 0 || size.bmWidth <= 0 ||
        size.bmHeight <= 0 || size.bmWidth > 256 || size.bmHeight > 256) {
        return {};  // a monochrome icon, which no shell hands out for a file any more
    }
    const WindowDc screen(nullptr);
    const int w = size.bmWidth;
    const int h = size.bmHeight;
    const std::vector<std::uint32_t> colours = rowsOf(screen.get(), colour.get(), w, h);
    if (colours.empty()) {
        return {};
    }
    bool hasAlpha = false;
    for (const std::uint32_t px : colours) {
        hasAlpha = hasAlpha || (px >> 24U) != 0;
    }
    const std::vector<std::uint32_t> shape =
        hasAlpha || !mask ? std::vector<std::uint32_t>{} : rowsOf(screen.get(), mask.get(), w, h);
    resources::PixelImage picture(w, h);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        std::uint32_t alpha = colours[i] >> 24U;
        if (!hasAlpha) {
            // The mask is white where the icon is see-through.
            alpha = !shape.empty() && (shape[i] & 0xFFFFFFU) != 0 ? 0U : 255U;
        }
        picture.pixels[i] = premultiplied(colours[i], alpha);
    }
    return picture;
}

Result<std::string> shellIconFile(const std::wstring& item, bool address) {
    SHFILEINFOW info{};
    // An address has no file to ask about: it shows as any Internet shortcut does.
    const wchar_t* asked = address ? L"link.url" : item.c_str();
    const UINT flags = SHGFI_SYSICONINDEX | (address ? SHGFI_USEFILEATTRIBUTES : 0U);
    if (SHGetFileInfoW(asked, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags) == 0) {
        return Error{ERROR_FILE_NOT_FOUND, "the shell has no picture for it"};
    }
    std::vector<resources::PixelImage> sizes;
    for (const int list : {SHIL_LARGE, SHIL_EXTRALARGE}) {
        ComPtr<IImageList> images;
        if (SUCCEEDED(SHGetImageList(list, __uuidof(IImageList), images.putVoid()))) {
            resources::PixelImage picture = iconAt(*images.get(), info.iIcon);
            // A shell without the larger list hands out the same size twice.
            if (!picture.empty() && (sizes.empty() || sizes.back().width != picture.width)) {
                sizes.push_back(std::move(picture));
            }
        }
    }
    if (sizes.empty()) {
        return Error{ERROR_FILE_NOT_FOUND, "the shell's picture could not be read"};
    }
    return resources::encodeIco(sizes);
}

}  // namespace quorvel::platform::win32
