#pragma once

#include "forms/geometry.h"
#include "forms/picture.h"
#include "resources/pixel_image.h"

namespace quorvel::resources {

// The size a built-in picture has when it is shown unstretched, in twips at 15 twips per pixel.
[[nodiscard]] forms::Rect naturalSize(forms::BuiltinPicture which) noexcept;

// Draws a built-in picture at exactly width x height pixels. Every picture is drawn at the
// size it is shown at, never scaled from a bitmap, so it stays sharp at any DPI.
[[nodiscard]] PixelImage drawBuiltin(forms::BuiltinPicture which, int width, int height);

}  // namespace quorvel::resources
