#include "platform/win32/control_adapter.h"

#include <string>
#include <utility>

namespace quorvel::platform::win32 {

bool ControlAdapter::create(HWND parent) {
    const ChildClass cls = childClass();
    if (cls.name == nullptr) {
        return false;  // its class could not be registered, which the log has noted
    }
    window_.reset(CreateWindowExW(cls.exStyle, cls.name, L"", cls.style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id_)),
                                  services_.instance, nullptr));
    if (!window_) {
        failures().record("CreateWindowExW (control " + control_.name() + ")");
        return false;
    }
    return true;
}

void ControlAdapter::apply(int dpi) {
    applyFont(dpi);
    applyState();
    place(dpi);
    if (enabled_ != control_.enabled()) {
        EnableWindow(window(), control_.enabled() ? TRUE : FALSE);  // answers the old state
        enabled_ = control_.enabled();
    }
    if (visible_ != control_.visible()) {
        ShowWindow(window(), control_.visible() ? SW_SHOWNA : SW_HIDE);  // likewise
        visible_ = control_.visible();
    }
}

void ControlAdapter::applyFont(int dpi) {
    const std::optional<forms::Font> own = ownFont();
    if (fontDpi_ == dpi && ownFont_ == own) {
        return;
    }
    HFONT font = services_.font->at(dpi);
    UniqueFont made;
    if (own) {
        const LOGFONTW description = fontDescription(*own, dpi, true);
        made.reset(CreateFontIndirectW(&description));
        if (made) {
            font = made.get();
        } else {
            failures().record("CreateFontIndirectW (control " + control_.name() + ")");
        }
    }
    SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // The control no longer uses the font it had; only now may that one go.
    font_ = std::move(made);
    fontDpi_ = dpi;
    ownFont_ = own;
    placeAgain();  // a drop-down list's height follows its font
}

void ControlAdapter::place(int dpi) {
    const PixelBox box = windowBox(toPixels(control_.bounds(), dpi));
    if (box_ == box) {
        return;
    }
    failures().check(SetWindowPos(window(), nullptr, box.left, box.top, box.width(), box.height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE),
                     "SetWindowPos (control " + control_.name() + ")");
    box_ = box;
}

}  // namespace quorvel::platform::win32
