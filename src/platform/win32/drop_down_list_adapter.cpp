#include "platform/win32/drop_down_list_adapter.h"

#include <algorithm>

namespace quorvel::platform::win32 {

namespace {

// A dropped-down list shows this many items before it scrolls.
constexpr int kDroppedRows = 8;

}  // namespace

bool DropDownListAdapter::command(UINT code) {
    // An open drop-down list moves its selection with every arrow key; the choice is made when
    // it closes on a new entry, so nothing asks a question halfway down.
    const bool closedOrMoved =
        (code == CBN_SELCHANGE && SendMessageW(window(), CB_GETDROPPEDSTATE, 0, 0) == FALSE) ||
        code == CBN_CLOSEUP;
    if (!closedOrMoved || writing()) {
        return false;
    }
    if (selection() == listIndex()) {
        return false;  // closed on the entry it had, or already reported
    }
    list_.choose(takeSelection());
    return true;
}

PixelBox DropDownListAdapter::windowBox(PixelBox field) const {
    // The window reaches down over its dropped list; the field itself is as high as the font
    // makes it.
    const int rows = std::clamp(static_cast<int>(list().items().size()), 1, kDroppedRows);
    const auto item = static_cast<int>(SendMessageW(window(), CB_GETITEMHEIGHT, 0, 0));
    field.bottom += std::max(item, 1) * rows + 2;
    return field;
}

}  // namespace quorvel::platform::win32
