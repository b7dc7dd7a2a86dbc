#pragma once

#include <string>

#include "forms/picture.h"

namespace quorvel::platform {

// Loads pictures from files (.ico, .bmp, .jpg, .gif, .png) and hands out the built-in ones.
class Pictures : public forms::PictureSource {
public:
    // Null when the file is missing, unreadable or not a picture: the caller leaves its image
    // without a custom picture and carries on.
    [[nodiscard]] virtual forms::PictureRef load(const std::string& path) = 0;
    // A built-in picture as the bytes of an icon file, for a link that needs a picture file.
    [[nodiscard]] virtual std::string iconFileOf(forms::BuiltinPicture which) = 0;
};

}  // namespace quorvel::platform
