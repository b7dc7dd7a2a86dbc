#include "platform/win32/item_row_adapter.h"

#include "platform/win32/child_classes.h"
#include "platform/win32/key_map.h"

namespace quorvel::platform::win32 {

namespace {

constexpr UINT kDigits = 10;

void notify(HWND window, UINT code) {
    SendMessageW(GetParent(window), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(window)), static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(window));
}

// The parent paints its whole client area into this window's DC, moved so that the part under
// the row lands on it: the items and their focus mark look as they would without the row.
void paintThroughParent(HWND window) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(window, &ps);
    if (dc != nullptr) {
        POINT origin{0, 0};
        MapWindowPoints(window, GetParent(window), &origin, 1);
        POINT previous{};
        SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
        SendMessageW(GetParent(window), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
    }
    EndPaint(window, &ps);
}

}  // namespace

UINT ItemRowAdapter::keyNotice(const forms::KeyPress& key) noexcept {
    return kFirstKey + static_cast<UINT>(key.key) * kDigits + static_cast<UINT>(key.digit);
}

std::optional<forms::KeyPress> ItemRowAdapter::keyOfNotice(UINT code) noexcept {
    if (code < kFirstKey || code > keyNotice({forms::Key::Digit, 9})) {
        return std::nullopt;
    }
    const UINT offset = code - kFirstKey;
    return forms::KeyPress{static_cast<forms::Key>(offset / kDigits),
                           static_cast<int>(offset % kDigits)};
}

LRESULT CALLBACK ItemRowAdapter::windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // the pointer acts on the items, as it did without the row
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
            notify(window, kSetFocus);
            return 0;
        case WM_KILLFOCUS:
            notify(window, kKillFocus);
            return 0;
        case WM_KEYDOWN:
            if (const auto key = keyPressOf(static_cast<UINT>(wp), heldModifiers())) {
                notify(window, keyNotice(*key));
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT:
            paintThroughParent(window);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wp, lp);
}

ChildClass ItemRowAdapter::childClass() const {
    return {services().classes != nullptr ? services().classes->itemRow() : nullptr, kChildStyle,
            0};
}

bool ItemRowAdapter::isFocusNotice(UINT code) const {
    return code == kSetFocus;
}

bool ItemRowAdapter::command(UINT code) {
    if (code == kSetFocus || code == kKillFocus) {
        // A row is there to be used from the keyboard: its mark shows as soon as it has the
        // focus.
        if (code == kSetFocus) {
            row_.showFocusCues();
        }
        row_.focusChanged(code == kSetFocus);
        return true;
    }
    if (const std::optional<forms::KeyPress> key = keyOfNotice(code)) {
        return row_.keyDown(*key);
    }
    return false;
}

bool ItemRowAdapter::enter() {
    return row_.keyDown(forms::KeyPress{forms::Key::Enter});
}

void ItemRowAdapter::applyState() {
    failures().check(InvalidateRect(window(), nullptr, FALSE), "InvalidateRect (item row)");
}

}  // namespace quorvel::platform::win32
