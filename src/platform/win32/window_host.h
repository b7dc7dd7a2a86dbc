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
#include "platform/win32/brush_cache.h"
#include "platform/win32/child_controls.h"
#include "platform/win32/double_click.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/form_painter.h"
#include "platform/win32/handles.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/tool_tips.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {

// Realises every form as a top-level popup of class "Quorvel.<form name>" and keeps the window
// in line with the form after each event. Borderless windows (the bar and its popups) never
// take the focus by being shown and are kept off the taskbar; dialog windows have a title bar
// and a taskbar button, and become the active window when they appear. A form's text boxes,
// lists and buttons are real child controls (child_controls.h), its hints real tooltips.
class Win32WindowHost final : public forms::WindowHost {
public:
    explicit Win32WindowHost(HINSTANCE instance);
    ~Win32WindowHost() override;
    Win32WindowHost(const Win32WindowHost&) = delete;
    Win32WindowHost& operator=(const Win32WindowHost&) = delete;

    void formCreated(forms::Form& form) override;
    void formDestroyed(forms::Form& form) override;
    forms::MenuItem* popupMenu(forms::Form& owner, forms::MenuItem& menu) override;
    forms::Size windowSize(const forms::Form& form) override;
    forms::DoubleClickLimits doubleClickLimits() override { return systemDoubleClickLimits(); }
    void updateNow() override;

    // Position, size, visibility, stacking, colour key and paint of every window from its form.
    void sync();

    // Every message that reaches a form's handlers runs through this, with its after-event step.
    void setDispatcher(EventDispatcher* dispatcher) noexcept { dispatcher_ = dispatcher; }
    [[nodiscard]] FailureLog& failures() noexcept { return failures_; }

    // The form's window, made now if it does not exist yet.
    [[nodiscard]] HWND windowOf(const forms::Form& form);
    // A real control's child window, and a form's tooltip control (null until it has a hint).
    [[nodiscard]] HWND windowOf(const forms::Control& control);
    [[nodiscard]] HWND toolTipsOf(const forms::Form& form);

    // Called by the message loop before translating and dispatching a message: keyboard input
    // for a window with real controls goes through the dialog manager, so Tab, Shift+Tab, Enter
    // and Escape work as in any dialog. True when the message has been handled.
    bool preTranslate(MSG& msg);
    // The window of the oldest form still alive: the bar, which owns message boxes.
    [[nodiscard]] HWND mainWindow();

    // A window was asked to close (by the user, another program, or the session ending).
    // The program's icon (a resource of the exe) for dialog windows' title bars and taskbar
    // buttons; loaded when the first dialog appears, so the bar's start pays nothing for it.
    void setDialogIcon(WORD resourceId) noexcept { dialogIcon_ = resourceId; }

    // A form that takes its close box itself (forms::Form::onCloseRequest) is asked first.
    std::function<void(forms::Form&)> onCloseRequest;
    // What the system tells every top-level window, handled once (by the main window): the
    // session is about to end, goes on after all (another program refused), or ends; the
    // screen's size, resolution or DPI, or the work area the taskbar leaves, changed.
    std::function<void()> onSessionEnding;
    std::function<void()> onSessionContinues;
    std::function<void()> onSessionEnded;
    std::function<void()> onScreenChanged;
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
        std::uint64_t activation = 0;
        std::optional<std::optional<forms::ColorNumber>> colorKey;
        std::optional<std::uint64_t> revision;
        std::optional<forms::FormStyle> style;
        std::optional<std::string> text;
        std::optional<bool> menuBar;
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
        // The menu bar's entries; the bar itself belongs to the window once attached.
        BuiltPopupMenu menuBar;
        FormPainter painter;
        ChildControls children;
        ToolTips tips;

        explicit Hosted(ControlServices services) noexcept
            : children(services), tips(services.instance) {}
        Hosted(const Hosted&) = delete;
        Hosted& operator=(const Hosted&) = delete;
        // The window's last messages must not reach a half-destroyed record. Its controls and
        // tooltips go with it, as the system destroys a window's children and owned windows:
        // destroyed one by one before it, each would uncover and repaint part of a window
        // still on the screen, and a settings window holds over a hundred.
        ~Hosted() {
            if (window) {
                SetWindowLongPtrW(window.get(), GWLP_USERDATA, 0);
                tips.abandon();
                children.abandon();
                window.reset();
            }
        }
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    LRESULT handle(Hosted& hosted, UINT message, WPARAM wp, LPARAM lp);
    LRESULT dispatch(Hosted& hosted, UINT message, WPARAM wp, LPARAM lp);
    HWND realise(Hosted& hosted);
    void syncOne(Hosted& hosted);
    void syncFrame(Hosted& hosted);
    void syncMenuBar(Hosted& hosted);
    [[nodiscard]] static HWND ownerFor(const Hosted& hosted) noexcept;
    [[nodiscard]] Hosted* hostedOf(const forms::Form& form) const noexcept;
    void dropFiles(Hosted& hosted, HDROP drop);
    void stackBehind(HWND window, const forms::Form& other);
    [[nodiscard]] bool setPointer(const Hosted& hosted) const;
    const std::wstring& classFor(const std::string& formName);
    void reap();
    void systemEvent(HWND window, const std::function<void()>& handler);

    HINSTANCE instance_;
    // Shared by every window's real controls; released after the windows.
    UiFont uiFont_;
    BrushCache brushes_;
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
    WORD dialogIcon_ = 0;
    ControlServices controlServices_{instance_, &uiFont_, &brushes_, &failures_};
};

}  // namespace quorvel::platform::win32
