#pragma once

#include <set>
#include <string>
#include <vector>

#include "forms/picture.h"
#include "platform/pictures.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// A picture that only knows where it came from.
class SimPicture final : public forms::Picture {
public:
    SimPicture(std::string source, forms::Rect size) : source_(std::move(source)), size_(size) {}
    [[nodiscard]] forms::Rect naturalSize() const noexcept override { return size_; }
    [[nodiscard]] const std::string& source() const noexcept override { return source_; }

private:
    std::string source_;
    forms::Rect size_;
};

// Every file loads as a 32 x 32 picture except the paths listed in `bad`, which load as null
// the way a missing or broken file does. Loads go to the call log; built-in requests, asked
// for whenever a window is created, are kept in their own list.
class SimPictures final : public Pictures {
public:
    explicit SimPictures(CallLog& log) : log_(log) {}

    std::set<std::string> bad;
    std::vector<std::string> loads;
    std::vector<forms::BuiltinPicture> builtinRequests;

    forms::PictureRef load(const std::string& path) override;
    forms::PictureRef builtin(forms::BuiltinPicture which) override;
    // "icon file of builtin:<name>".
    std::string iconFileOf(forms::BuiltinPicture which) override;

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
