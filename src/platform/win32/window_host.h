#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "platform/event_dispatcher.h"
#include "platform/win32/accessibility_library.h"
#include "platform/win32/brush_cache.h"
#include "platform/win32/child_classes.h"
#include "platform/win32/double_click.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/host_messages.h"
#include "platform/win32/hosted_window.h"
#include "platform/win32/ui_font.h"

namespace quorvel::platform::win32 {

// Realises every form as a top-level popup of class "Quorvel.<form name>" and keeps the window
// in line with the form after each event. Borderless windows (the bar and its popups) never
// take the focus by being shown and are kept off the taskbar; dialog windows have a title bar
// and a taskbar button, and become the active window when they appear. A form's text boxes,
// lists and buttons are real child controls (child_controls.h), its hints real tooltips.
//
// Its parts, by concern: the port and the lookups (window_host.cpp); the windows' classes,
// making and destroying them and the window procedure (window_host_lifetime.cpp); the
// after-event sync (window_host_sync.cpp); one handler per message (window_host_messages.cpp).
class Win32WindowHost final : public forms::WindowHost {
public:
    // Calls that fail with nothing left to do, and handlers that throw inside a window
    // procedure, go to `failures`; the message loop rethrows what is parked there.
    Win32WindowHost(HINSTANCE instance, FailureLog& failures);
    ~Win32WindowHost() override;
    Win32WindowHost(const Win32WindowHost&) = delete;
    Win32WindowHost& operator=(const Win32WindowHost&) = delete;

    void formCreated(forms::Form& form) override;
    void formDestroyed(forms::Form& form) override;
    forms::MenuItem* popupMenu(forms::Form& owner, forms::MenuItem& menu,
                               const std::optional<forms::Rect>& beside) override;
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
    // The drop target OLE calls for the form's window; null where the form takes no drops.
    [[nodiscard]] IDropTarget* dropTargetOf(const forms::Form& form);

    // Called by the message loop before translating and dispatching a message: keyboard input
    // for a window with real controls goes through the dialog manager, so Tab, Shift+Tab, Enter
    // and Escape work as in any dialog. True when the message has been handled.
    bool preTranslate(MSG& msg);
    // The window of the oldest form still alive: the bar, which owns message boxes.
    [[nodiscard]] HWND mainWindow();

    // The program's icon (a resource of the exe) for dialog windows' title bars and taskbar
    // buttons; loaded when the first dialog appears, so the bar's start pays nothing for it.
    void setDialogIcon(WORD resourceId) noexcept { dialogIcon_ = resourceId; }

    // A window was asked to close (by the user, another program, or the session ending).
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

private:
    // A message's handler: its answer, or none to leave the message to DefWindowProcW.
    using MessageHandler = std::optional<LRESULT> (Win32WindowHost::*)(HostedWindow&, WPARAM,
                                                                       LPARAM);
    struct MessageRoute {
        UINT message;
        MessageHandler handler;
        bool event;  // runs the program's handlers, so it ends with the after-event step
    };

    // Lifetime: classes, making and destroying windows, the window procedure.
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    const std::wstring& classFor(const std::string& formName);
    HWND realise(HostedWindow& hosted);
    void takeDrops(HostedWindow& hosted);
    void reap();
    void reapWhenFree(HostedWindow& hosted);
    [[nodiscard]] static HWND ownerFor(const HostedWindow& hosted) noexcept;
    [[nodiscard]] HostedWindow* hostedOf(const forms::Form& form) const noexcept;

    // The after-event sync, one part of the window at a time.
    void syncOne(HostedWindow& hosted);
    void syncFrame(HostedWindow& hosted);
    void syncMenuBar(HostedWindow& hosted);
    void syncPlace(HostedWindow& hosted);
    void syncColorKey(HostedWindow& hosted);
    void syncStacking(HostedWindow& hosted);
    void syncVisibility(HostedWindow& hosted);
    void syncActivation(HostedWindow& hosted, bool wasVisible);
    void syncContent(HostedWindow& hosted);
    void syncHotkey(HostedWindow& hosted);
    void syncAccessibleFocus(HostedWindow& hosted);
    static void rememberFocusFrom(HostedWindow& hosted);

    // Message handling.
    [[nodiscard]] static const MessageRoute* routeOf(UINT message) noexcept;
    LRESULT handle(HostedWindow& hosted, UINT message, WPARAM wp, LPARAM lp);
    void systemEvent(const HostedWindow& hosted, const std::function<void()>& handler);
    std::optional<LRESULT> onEraseBackground(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onPaint(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onMouseMove(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onLeftButtonDown(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onLeftButtonUp(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onRightButtonDown(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onRightButtonUp(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onSetCursor(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onCaptureChanged(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onDropFiles(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onDataDropped(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onTakeDrops(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onTimer(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    void paintBufferInUse(HostedWindow& hosted);
    std::optional<LRESULT> onDpiChanged(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onDisplayChange(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onSettingChange(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onCommand(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    template <UINT Message>
    std::optional<LRESULT> onControlColor(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onActivate(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onSetFocus(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onKillFocus(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onKeyDown(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onHotkey(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onGetObject(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onAccessibleAction(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onPrintClient(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onGetMinMaxInfo(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onExitSizeMove(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onClose(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onQueryEndSession(HostedWindow& hosted, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> onEndSession(HostedWindow& hosted, WPARAM wp, LPARAM lp);

    HINSTANCE instance_;
    FailureLog& failures_;
    // Shared by every window's real controls; released after the windows.
    UiFont uiFont_;
    BrushCache brushes_;
    // Before the windows: their drop targets are revoked before OLE ends.
    DropTargets dropTargets_{failures_};
    ChildClasses childClasses_{instance_, failures_};
    ControlServices controlServices_{instance_, &uiFont_, &brushes_, &failures_, &childClasses_};
    // Loaded at the first question of a screen reader.
    AccessibilityLibrary accessibility_{failures_};
    std::unordered_map<std::string, std::pair<std::wstring, WindowClass>> classes_;
    // Each form's window is owned by a window of its own that is never shown: owned windows
    // stay off the taskbar even where a shell ignores the tool-window style, and one owner per
    // form keeps the forms' top-most states apart (a window leaving the top-most band takes
    // its owner and the owner's other windows with it).
    WindowClass ownerClass_;
    std::vector<std::unique_ptr<HostedWindow>> windows_;
    std::vector<std::pair<UINT, std::function<void()>>> broadcasts_;
    EventDispatcher* dispatcher_ = nullptr;
    bool syncing_ = false;
    WORD dialogIcon_ = 0;
};

}  // namespace quorvel::platform::win32
