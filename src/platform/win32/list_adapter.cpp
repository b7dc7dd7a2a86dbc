#include "platform/win32/list_adapter.h"

#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

void ListAdapter::applyState() {
    HWND list = window();
    const Writing writing(*this);
    if (items_ != list_.items()) {
        SendMessageW(list, messages_.reset, 0, 0);
        for (const std::string& item : list_.items()) {
            const std::wstring wide = toWide(item);
            const LRESULT added =
                SendMessageW(list, messages_.add, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            if (added < 0) {  // CB_ERR, LB_ERR or the ..._ERRSPACE of either
                failures().record("add item (control " + list_.name() + ")");
            }
        }
        items_ = list_.items();
        listIndex_.reset();
        placeAgain();  // a drop-down list's dropped height follows the item count
    }
    if (listIndex_ != list_.listIndex()) {
        // Neither message reports a selection change: only a person's choice is a click.
        SendMessageW(list, messages_.setSelection, static_cast<WPARAM>(list_.listIndex()), 0);
        listIndex_ = list_.listIndex();
    }
}

int ListAdapter::selection() const {
    return static_cast<int>(SendMessageW(window(), messages_.getSelection, 0, 0));
}

int ListAdapter::takeSelection() {
    const int index = selection();
    listIndex_ = index;
    return index;
}

}  // namespace quorvel::platform::win32
