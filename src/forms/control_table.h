#pragma once

#include <optional>
#include <string_view>

#include "forms/control.h"
#include "forms/geometry.h"
#include "forms/picture.h"

namespace quorvel::forms {

// Flags of a table row; combine with |.
enum ControlFlag : unsigned {
    kHidden = 1U << 0U,         // created invisible
    kUnstretched = 1U << 1U,    // an image that draws its picture at its own size
    kDisabled = 1U << 2U,       // a real control that starts disabled
    kDefaultButton = 1U << 3U,  // the button Enter presses
    kCancelButton = 1U << 4U,   // the button Escape presses
    kCentred = 1U << 5U,        // a label whose text is centred
    kReadOnly = 1U << 6U,       // a text box whose text can be copied, not changed
    kRightAligned = 1U << 7U,   // a label whose text ends at its right edge
    kOneLine = 1U << 8U,        // a label whose text never wraps (Label::oneLine)
    kWholeWindow = 1U << 9U,    // an item row that is the window's own keyboard focus
};

// One control of a window, as its layout table gives it. A window lists its controls in a
// table of these, in creation order (which is stacking order and Tab order), and the form
// builds them all at once. A row with a count makes a control array: name1..nameN (or, with a
// suffix, name1suffix..nameNsuffix, as in L1T..L17T), the first at `bounds` and each next one
// moved by `step`.
//
// The caption is a label's or button's text, a text box's first text, a command's caption, or
// a list's items separated by '\n'.
struct ControlRow {
    std::string_view name;
    ControlKind kind = ControlKind::Image;
    Rect bounds{};
    std::string_view caption{};
    unsigned flags = 0;
    std::optional<BuiltinPicture> picture{};  // an image's built-in picture
    int count = 0;
    Point step{};
    std::string_view suffix{};
};

}  // namespace quorvel::forms
