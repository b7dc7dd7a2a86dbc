#include "platform/win32/window_frame.h"

namespace quorvel::platform::win32 {

FrameStyle frameStyleOf(forms::FormStyle look) noexcept {
    // Every form clips its real controls out of its own painting: the form paints its whole
    // client area in one copy, which would otherwise draw over them.
    if (look == forms::FormStyle::Dialog) {
        return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW};
    }
    return {WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW};
}

PixelBox windowBoxOf(const forms::Form& form, int dpi) {
    const int left = twipsToPixels(form.left(), dpi);
    const int top = twipsToPixels(form.top(), dpi);
    int width = twipsToPixels(form.width(), dpi);
    int height = twipsToPixels(form.height(), dpi);
    if (form.style() == forms::FormStyle::Dialog) {
        const FrameStyle frame = frameStyleOf(form.style());
        RECT outer{0, 0, width, height};
        const BOOL menuBar = form.menuBar() ? TRUE : FALSE;
        if (AdjustWindowRectExForDpi(&outer, frame.style, menuBar, frame.exStyle,
                                     static_cast<UINT>(dpi)) != FALSE) {
            width = outer.right - outer.left;
            height = outer.bottom - outer.top;
        }
    }
    return {left, top, left + width, top + height};
}

std::string windowTextOf(const forms::Form& form) {
    return form.style() == forms::FormStyle::Dialog ? form.caption() : form.name();
}

void applyFrameStyle(HWND window, forms::FormStyle look, FailureLog& failures) {
    const FrameStyle frame = frameStyleOf(look);
    const LONG_PTR keep = GetWindowLongPtrW(window, GWL_EXSTYLE) &
                          (WS_EX_LAYERED | WS_EX_ACCEPTFILES | WS_EX_TRANSPARENT);
    const LONG_PTR visible = GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE;
    setWindowLong(window, GWL_STYLE, static_cast<LONG_PTR>(frame.style) | visible, failures);
    setWindowLong(window, GWL_EXSTYLE, static_cast<LONG_PTR>(frame.exStyle) | keep, failures);
    failures.check(
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED),
        "SetWindowPos (frame)");
}

void setWindowIcon(HWND window, HINSTANCE instance, WORD resourceId, FailureLog& failures) {
    // Shared icons belong to the module: nothing to free.
    const auto icon = [&](int size) {
        HANDLE loaded =
            LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_SHARED);
        if (loaded == nullptr) {
            failures.record("LoadImageW (icon)");
        }
        return reinterpret_cast<LPARAM>(loaded);
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, icon(GetSystemMetrics(SM_CXICON)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, icon(GetSystemMetrics(SM_CXSMICON)));
}

}  // namespace quorvel::platform::win32
