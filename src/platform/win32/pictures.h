#pragma once

#include <array>
#include <optional>

#include "forms/picture_header.h"
#include "platform/pictures.h"
#include "platform/win32/com_library.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
// clang-format off
#include <wincodec.h>
// clang-format on

namespace quorvel::platform::win32 {

// Decodes picture files (bmp, jpg, gif, png, ico) into premultiplied 32-bpp pixels: the usual
// bitmaps and icons itself (resources/bitmap_files.h), the rest with the imaging component. A
// file's header is checked first (forms/picture_header.h): whatever is not one of those formats, or
// claims a size no picture of the bar needs, never reaches a decoder. Used on the user-interface
// thread only, where it initialises COM itself.
class WicPictures final : public Pictures {
public:
    explicit WicPictures(FailureLog& failures) noexcept : failures_(failures) {}

    forms::PictureRef load(const std::string& path) override;
    forms::PictureRef builtin(forms::BuiltinPicture which) override;
    // Drawn at the two sizes a bar item shows (32 and 48 pixels).
    std::string iconFileOf(forms::BuiltinPicture which) override;

    // Pictures larger than this on either side are refused rather than allocated: a settings
    // file can name any file, and a crafted header may claim a gigantic size.
    static constexpr unsigned kMaxSide = forms::kMaxPictureSide;
    static constexpr unsigned long long kMaxPixels = forms::kMaxPicturePixels;

private:
    IWICImagingFactory* factory();

    FailureLog& failures_;
    std::optional<ComLibrary> com_;  // declared first: released after the factory
    ComPtr<IWICImagingFactory> factory_;
    std::array<forms::PictureRef, forms::kBuiltinPictureCount> builtins_;
};

}  // namespace quorvel::platform::win32
