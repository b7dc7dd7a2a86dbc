#pragma once

#include <string>
#include <vector>

#include "resources/pixel_image.h"

namespace quorvel::resources {

// The bytes of a .ico file holding each picture as a 32-bpp entry with straight alpha and a
// matching AND mask. Pictures must be 1..256 pixels on each side; others are left out.
[[nodiscard]] std::string encodeIco(const std::vector<PixelImage>& pictures);

}  // namespace quorvel::resources
