#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel::forms {

// The picture formats the bar shows: icons, bitmaps, JPEG, GIF and PNG files.
enum class PictureFormat { Icon, Bitmap, Jpeg, Gif, Png };

// What a picture file's first bytes announce. A side of 0 means the header does not say within
// the bytes read (a JPEG whose frame header lies beyond them); the decoder's answer decides.
struct PictureHeader {
    PictureFormat format;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// How much of a file the check reads: a JPEG may carry tens of kilobytes of metadata before its
// frame header.
inline constexpr std::size_t kPictureHeaderBytes = 64 * 1024;

// Pictures larger than this on either side, or in all, are refused before anything is
// decoded: a settings file can name any file, and a crafted header may claim a gigantic size.
inline constexpr std::uint32_t kMaxPictureSide = 8192;
inline constexpr std::uint64_t kMaxPicturePixels = 32ULL * 1024 * 1024;

// Checks the first bytes of a file (up to kPictureHeaderBytes) before it is handed to a decoder:
// the format and the size its header announces, or nullopt for anything else (not one of the
// formats above, a header cut short or inconsistent, no image at all, a side of 0 or beyond
// the limits). Never reads outside `bytes`, whatever they hold.
[[nodiscard]] std::optional<PictureHeader> readPictureHeader(std::string_view bytes) noexcept;

}  // namespace quorvel::forms
