#include "platform/sim/sim_pictures.h"

#include <memory>

namespace quorvel::platform::sim {

namespace {
constexpr forms::Rect kIconSize{0, 0, 480, 480};
}

const char* builtinName(forms::BuiltinPicture which) noexcept {
    using B = forms::BuiltinPicture;
    switch (which) {
        case B::ProgramIcon:
            return "ProgramIcon";
        case B::MyComputer:
            return "MyComputer";
        case B::MyDocuments:
            return "MyDocuments";
        case B::RecycleBinEmpty:
            return "RecycleBinEmpty";
        case B::RecycleBinFull:
            return "RecycleBinFull";
        case B::CloseButton:
            return "CloseButton";
        case B::Divider:
            return "Divider";
        case B::Background:
            return "Background";
        case B::TaskbarDown:
            return "TaskbarDown";
        case B::TaskbarUp:
            return "TaskbarUp";
        case B::PanelButton:
            return "PanelButton";
        case B::PanelFourFrames:
            return "PanelFourFrames";
    }
    return "unknown";
}

forms::PictureRef SimPictures::load(const std::string& path) {
    log_.add("loadPicture " + path);
    loads.push_back(path);
    if (bad.contains(path)) {
        return nullptr;
    }
    return std::make_shared<SimPicture>(path, kIconSize);
}

forms::PictureRef SimPictures::builtin(forms::BuiltinPicture which) {
    builtinRequests.push_back(which);
    return std::make_shared<SimPicture>(std::string("builtin:") + builtinName(which), kIconSize);
}

}  // namespace quorvel::platform::sim
