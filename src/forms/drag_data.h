#pragma once

#include <string>
#include <vector>

namespace quorvel::forms {

// What a drag carries, as the program sees it: the files and folders it holds, by full path,
// and the internet addresses (a browser's dragged link), each in the order the drag gives
// them. All text is UTF-8.
struct DragData {
    std::vector<std::string> paths;
    std::vector<std::string> addresses;

    [[nodiscard]] bool empty() const noexcept { return paths.empty() && addresses.empty(); }
    friend bool operator==(const DragData&, const DragData&) = default;
};

// What letting go of a drag at a place would do, as the pointer shows it meanwhile: nothing,
// move what is dragged there (the Recycle Bin), or make a link to it.
enum class DropEffect { None, Move, Link };

}  // namespace quorvel::forms
