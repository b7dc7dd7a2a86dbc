#pragma once

#include <string>

#include "forms/picture.h"
#include "resources/pixel_image.h"

namespace quorvel::platform::win32 {

// A picture the window host can draw: it hands out its pixels at the size they are shown at.
class HostPicture : public forms::Picture {
public:
    // Premultiplied pixels of exactly width x height (an empty image for an empty size).
    [[nodiscard]] virtual const resources::PixelImage& pixelsAt(int width, int height) const = 0;
};

// A picture decoded from a file, scaled with a proper filter when shown at another size. The
// last size asked for is kept: an image is painted at one size many times over.
class FilePicture final : public HostPicture {
public:
    FilePicture(std::string source, resources::PixelImage pixels);
    [[nodiscard]] forms::Rect naturalSize() const noexcept override;
    [[nodiscard]] const std::string& source() const noexcept override { return source_; }
    [[nodiscard]] const resources::PixelImage& pixelsAt(int width, int height) const override;

private:
    std::string source_;
    resources::PixelImage original_;
    mutable resources::PixelImage scaled_;
};

// A built-in picture, drawn afresh for every size it is shown at (a few sizes are kept).
class BuiltinPicture final : public HostPicture {
public:
    explicit BuiltinPicture(forms::BuiltinPicture which);
    [[nodiscard]] forms::Rect naturalSize() const noexcept override;
    [[nodiscard]] const std::string& source() const noexcept override { return source_; }
    [[nodiscard]] const resources::PixelImage& pixelsAt(int width, int height) const override;

private:
    static constexpr std::size_t kKeptSizes = 4;
    forms::BuiltinPicture which_;
    std::string source_;
    mutable resources::PixelImage kept_[kKeptSizes];
    mutable std::size_t next_ = 0;
};

}  // namespace quorvel::platform::win32
