#include "platform/win32/host_picture.h"

#include <utility>

#include "resources/builtin_art.h"

namespace quorvel::platform::win32 {

FilePicture::FilePicture(std::string source, resources::PixelImage pixels)
    : source_(std::move(source)), original_(std::move(pixels)) {}

forms::Rect FilePicture::naturalSize() const noexcept {
    return {0, 0, original_.width * forms::kTwipsPerDesignPixel,
            original_.height * forms::kTwipsPerDesignPixel};
}

const resources::PixelImage& FilePicture::pixelsAt(int width, int height) const {
    if (width == original_.width && height == original_.height) {
        return original_;
    }
    if (scaled_.width != width || scaled_.height != height) {
        scaled_ = resources::resample(original_, width, height);
    }
    return scaled_;
}

BuiltinPicture::BuiltinPicture(forms::BuiltinPicture which)
    : which_(which), source_(forms::builtinSource(which)) {}

forms::Rect BuiltinPicture::naturalSize() const noexcept {
    return resources::naturalSize(which_);
}

const resources::PixelImage& BuiltinPicture::pixelsAt(int width, int height) const {
    for (const auto& kept : kept_) {
        if (!kept.empty() && kept.width == width && kept.height == height) {
            return kept;
        }
    }
    resources::PixelImage& slot = kept_[next_];
    next_ = (next_ + 1) % kKeptSizes;
    slot = resources::drawBuiltin(which_, width, height);
    return slot;
}

}  // namespace quorvel::platform::win32
