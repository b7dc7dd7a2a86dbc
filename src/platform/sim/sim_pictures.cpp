#include "platform/sim/sim_pictures.h"

#include <memory>

namespace quorvel::platform::sim {

namespace {
constexpr forms::Rect kIconSize{0, 0, 480, 480};
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
    return std::make_shared<SimPicture>(forms::builtinSource(which), kIconSize);
}

std::string SimPictures::iconFileOf(forms::BuiltinPicture which) {
    return "icon file of " + forms::builtinSource(which);
}

}  // namespace quorvel::platform::sim
