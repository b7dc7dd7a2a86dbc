#pragma once

#include <string>

namespace quorvel::forms {

// A typeface as the windows ask for it. Sizes come in quarter points as well as whole ones
// (20.25 pt is a 27-pixel font at 96 dpi), so the size is not a whole number.
struct Font {
    std::string name = "ＭＳ Ｐゴシック";
    double sizePt = 9;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace quorvel::forms
