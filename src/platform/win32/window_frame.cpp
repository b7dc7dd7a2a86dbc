#include "platform/win32/window_frame.h"

namespace quorvel::platform::win32 {

FrameStyle frameStyleOf(forms::FormStyle look) noexcept {
    // Every form clips its real controls out of its own painting: the form paints its whole
    // client area in one copy, which would otherwise draw over them.
    if (look == forms::FormStyle::Dialog) {
        return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_ACCEPTFILES};
    }
    return {WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES};
}

PixelBox windowBoxOf(const forms::Form& form, int dpi) {
    const int left = twipsToPixels(form.left(), dpi);
    const int top = twipsToPixels(form.top(), dpi);
    int width = twipsToPixels(form.width(), dpi);
    int height = twipsToPixels(form.height(), dpi);
    if (form.style() == forms::FormStyle::Dialog) {
        const FrameStyle frame = frameStyleOf(form.style());
        RECT outer{0, 0, width, height};
        if (AdjustWindowRectExForDpi(&outer, frame.style, FALSE, frame.exStyle,
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

}  // namespace quorvel::platform::win32
