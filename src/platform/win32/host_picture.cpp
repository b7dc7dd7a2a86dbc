#include "platform/win32/host_picture.h"

#include <utility>

#include "resources/builtin_art.h"

namespace quorvel::platform::win32 {

namespace {
constexpr forms::Twips kTwipsPerDesignPixel = 15;

const char* builtinName(forms::BuiltinPicture which) {
    using B = forms::BuiltinPicture;
    switch (which) {
        case B::ProgramIcon:
            return "builtin:ProgramIcon";
        case B::MyComputer:
            return "builtin:MyComputer";
        case B::MyDocuments:
            return "builtin:MyDocuments";
        case B::RecycleBinEmpty:
            return "builtin:RecycleBinEmpty";
        case B::RecycleBinFull:
            return "builtin:RecycleBinFull";
        case B::CloseButton:
            return "builtin:CloseButton";
        case B::Divider:
            return "builtin:Divider";
        case B::Background:
            return "builtin:Background";
        case B::TaskbarDown:
            return "builtin:TaskbarDown";
        case B::TaskbarUp:
            return "builtin:TaskbarUp";
        case B::PanelButton:
            return "builtin:PanelButton";
        case B::PanelFourFrames:
            return "builtin:PanelFourFrames";
    }
    return "builtin:?";
}
}  // namespace

FilePicture::FilePicture(std::string source, resources::PixelImage pixels)
    : source_(std::move(source)), original_(std::move(pixels)) {}

forms::Rect FilePicture::naturalSize() const noexcept {
    return {0, 0, original_.width * kTwipsPerDesignPixel, original_.height * kTwipsPerDesignPixel};
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
    : which_(which), source_(builtinName(which)) {}

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
