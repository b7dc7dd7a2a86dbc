#include "platform/win32/child_classes.h"

#include "platform/win32/item_row_adapter.h"

namespace quorvel::platform::win32 {

const wchar_t* ChildClasses::itemRow() {
    if (!itemRowTried_) {
        itemRowTried_ = true;
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &ItemRowAdapter::windowProc;
        wc.hInstance = instance_;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = ItemRowAdapter::kClassName;
        itemRow_ = WindowClass(wc);
        if (!itemRow_) {
            failures_.record("RegisterClassExW (item row)");
        }
    }
    return itemRow_ ? ItemRowAdapter::kClassName : nullptr;
}

}  // namespace quorvel::platform::win32
