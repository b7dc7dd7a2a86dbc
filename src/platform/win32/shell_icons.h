#pragma once

#include <string>

#include "platform/result.h"
#include "platform/win32/win32.h"
#include "resources/pixel_image.h"

namespace quorvel::platform::win32 {

// The picture the shell shows for a file or folder, or for an Internet shortcut when `address`
// is set, as the bytes of an icon file holding the two sizes a bar item is drawn at (32 pixels
// at 96 dpi, 48 at 144 dpi). An error when the shell has no picture for it.
[[nodiscard]] Result<std::string> shellIconFile(const std::wstring& item, bool address);

// An icon's pixels, premultiplied, with the transparency of its mask where its colours carry
// none. Empty when the icon cannot be read.
[[nodiscard]] resources::PixelImage pixelsOf(HICON icon);

}  // namespace quorvel::platform::win32
