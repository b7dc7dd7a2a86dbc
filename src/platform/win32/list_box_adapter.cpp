#include "platform/win32/list_box_adapter.h"

namespace quorvel::platform::win32 {

bool ListBoxAdapter::command(UINT code) {
    if (writing()) {
        return false;
    }
    if (code == LBN_SELCHANGE) {
        list_.choose(takeSelection());
        return true;
    }
    if (code == LBN_DBLCLK) {
        list_.activate(takeSelection());
        return true;
    }
    return false;
}

bool ListBoxAdapter::enter() {
    // Enter activates the selected item, as a double-click would.
    if (selection() < 0) {
        return false;
    }
    list_.activate(takeSelection());
    return true;
}

}  // namespace quorvel::platform::win32
