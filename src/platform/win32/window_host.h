#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "platform/event_dispatcher.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/form_painter.h"
#include "platform/win32/handles.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {

// Realises every form as a borderless top-level popup of class "Quorvel.<form name>" and keeps
// the window in line with the form after each event. Windows never take the focus by being
// shown, and are kept off the taskbar.
class Win32WindowHost final : public forms::WindowHost {
public:
    explicit Win32WindowHost(HINSTANCE instance);
    ~Win32WindowHost() override;
    Win32WindowHost(const Win32WindowHost&) = delete;
    Win32WindowHost& operator=(const Win32WindowHost&) = delete;

    void formCreated(forms::Form& form) override;
    void formDestroyed(forms::Form& form) override;
    forms::MenuItem* popupMenu(forms::Form& owner, forms::MenuItem& menu) override;

    // Position, size, visibility, stacking, colour key and paint of every window from its form.
    void sync();

    // Every message that reaches a form's handlers runs through this, with its after-event step.
    void setDispatcher(EventDispatcher* dispatcher) noexcept { dispatcher_ = dispatcher; }
    [[nodiscard]] FailureLog& failures() noexcept { return failures_; }

    // The form's window, made now if it does not exist yet.
    [[nodiscard]] HWND windowOf(const forms::Form& form);
    // The window of the oldest form still alive: the bar, which owns message boxes.
    [[nodiscard]] HWND mainWindow();

    // A window was asked to close (by the user, another program, or the session ending).
    std::function<void(forms::Form&)> onCloseRequest;
    // Registered messages broadcast to top-level windows, handled once (by the main window).
    void onBroadcast(UINT message, std::function<void()> handler);

    // A handler that threw inside the window system's callback cannot unwind through it; the
    // failure is kept and rethrown by the message loop.
    void rethrowPendingFailure() {
        if (pendingFailure_) {
            std::rethrow_exception(std::exchange(pendingFailure_, nullptr));
        }
    }

private:
    struct Applied {
        std::optional<PixelBox> box;
        std::optional<bool> visible;
        std::optional<bool> topmost;
        std::optional<std::uint64_t> stacking;
        std::optional<std::optional<forms::ColorNumber>> colorKey;
        std::optional<std::uint64_t> revision;
    };
    struct Hosted {
        Win32WindowHost* host = nullptr;
        forms::Form* form = nullptr;  // null once the form is gone and the window awaits removal
        UniqueWindow owner;
        UniqueWindow window;
        int dpi = kDesignDpi;
        int busy = 0;                   // handlers of this window on the stack
        bool releasingCapture = false;  // the host itself lets go of the mouse
        Applied applied;
        FormPainter painter;

        Hosted() = default;
        Hosted(const Hosted&) = delete;
        Hosted& operator=(const Hosted&) = delete;
        // The window's last messages must not reach a half-destroyed record.
        ~Hosted() {
            if (window) {
                SetWindowLongPtrW(window.get(), GWLP_USERDATA, 0);
                window.reset();
            }
        }
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    LRESULT handle(Hosted& hosted, UINT message, WPARAM wp, LPARAM lp);
    LRESULT dispatch(Hosted& hosted, UINT message, WPARAM wp, LPARAM lp);
    HWND realise(Hosted& hosted);
    void syncOne(Hosted& hosted);
    void dropFiles(Hosted& hosted, HDROP drop);
    void stackBehind(HWND window, const forms::Form& other);
    const std::wstring& classFor(const std::string& formName);
    void reap();

    HINSTANCE instance_;
    std::unordered_map<std::string, std::pair<std::wstring, WindowClass>> classes_;
    // Each form's window is owned by a window of its own that is never shown: owned windows
    // stay off the taskbar even where a shell ignores the tool-window style, and one owner per
    // form keeps the forms' top-most states apart (a window leaving the top-most band takes
    // its owner and the owner's other windows with it).
    WindowClass ownerClass_;
    std::vector<std::unique_ptr<Hosted>> windows_;
    std::vector<std::pair<UINT, std::function<void()>>> broadcasts_;
    std::exception_ptr pendingFailure_;
    EventDispatcher* dispatcher_ = nullptr;
    FailureLog failures_;
    bool syncing_ = false;
};

}  // namespace quorvel::platform::win32
