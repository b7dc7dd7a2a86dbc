#pragma once

#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// A hidden window that only receives messages (timers, reports posted from other threads),
// with a window class of its own. Its procedure finds the owning object through ownerOf.
class MessageWindow {
public:
    // A window for messages alone hears nothing the system tells every top-level window (a
    // drive arriving, the settings changing); one that must is a top-level window never shown.
    enum class Hears { OwnMessages, Broadcasts };

    MessageWindow() noexcept = default;
    MessageWindow(HINSTANCE instance, const wchar_t* className, WNDPROC procedure, void* owner,
                  Hears hears = Hears::OwnMessages);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    MessageWindow(MessageWindow&&) noexcept = default;
    MessageWindow& operator=(MessageWindow&& other) noexcept;

    [[nodiscard]] HWND get() const noexcept { return window_.get(); }
    [[nodiscard]] explicit operator bool() const noexcept { return static_cast<bool>(window_); }

    // The object given when the window was made; null once the window is going away.
    template <class Owner>
    [[nodiscard]] static Owner* ownerOf(HWND window) noexcept {
        return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }

private:
    // The class outlives its window: members are destroyed in reverse order.
    WindowClass class_;
    UniqueWindow window_;
};

}  // namespace quorvel::platform::win32
