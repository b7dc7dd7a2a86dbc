#pragma once

#include <optional>
#include <string_view>

#include "resources/pixel_image.h"

namespace quorvel::resources {

// Bitmap (.bmp) and icon (.ico) files, the kinds most link pictures are, decoded by the program
// itself: the system's imaging component keeps about 0.8 MB in the process for as long as it
// runs once it has been loaded. Taken are uncompressed bitmaps of 1, 4, 8, 24 or 32 bits per
// pixel, and icon files of up to 64 pictures that are all such bitmaps with their masks; of an
// icon file the largest picture is decoded, the first of equal ones. Anything else (coded
// bitmaps, PNG pictures inside an icon, a file cut short, a palette index beyond the palette)
// gives nullopt, and the imaging component decides. A bitmap is opaque; an icon's 32-bit
// pictures keep their alpha unless all of it is 0, and the others take their transparency from
// the mask. Never reads outside `bytes`; sizes beyond the picture limits give nullopt.
[[nodiscard]] std::optional<PixelImage> decodeBitmapFile(std::string_view bytes);
[[nodiscard]] std::optional<PixelImage> decodeIconFile(std::string_view bytes);

}  // namespace quorvel::resources
