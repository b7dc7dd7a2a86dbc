#include "platform/win32/message_window.h"

#include <utility>

namespace quorvel::platform::win32 {

MessageWindow::MessageWindow(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                             void* owner, Hears hears) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    class_ = WindowClass(wc);
    const bool topLevel = hears == Hears::Broadcasts;
    window_.reset(CreateWindowExW(topLevel ? WS_EX_TOOLWINDOW : 0, className, L"",
                                  topLevel ? WS_POPUP : 0, 0, 0, 0, 0,
                                  topLevel ? nullptr : HWND_MESSAGE, nullptr, instance, nullptr));
    if (window_) {
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
}

MessageWindow& MessageWindow::operator=(MessageWindow&& other) noexcept {
    if (this != &other) {
        // The old window goes before its class.
        window_ = std::move(other.window_);
        class_ = std::move(other.class_);
    }
    return *this;
}

MessageWindow::~MessageWindow() {
    // Messages still dispatched while the window is destroyed find no owner.
    if (window_) {
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }
}

}  // namespace quorvel::platform::win32
