#pragma once

#include <string>

namespace quorvel::forms {

struct Font {
    std::string name = "ＭＳ Ｐゴシック";
    int sizePt = 9;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace quorvel::forms
