#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "forms/form.h"
#include "platform/win32/accessible_row.h"
#include "platform/win32/child_controls.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/form_painter.h"
#include "platform/win32/handles.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/tool_tips.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {

class Win32WindowHost;

// What the after-event sync last gave a window, so that only what changed is applied again.
struct AppliedWindow {
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
    std::optional<std::optional<forms::Hotkey>> hotkey;
    std::uint64_t focusReturn = 0;
    // The item a screen reader was last told has the keyboard focus.
    std::optional<std::size_t> announcedFocus;
};

// One form's window with everything that lives as long as it: its hidden owner, its real
// controls, its tooltips and its menu bar.
struct HostedWindow {
    Win32WindowHost* host = nullptr;
    forms::Form* form = nullptr;  // null once the form is gone and the window awaits removal
    UniqueWindow owner;
    UniqueWindow window;
    int dpi = kDesignDpi;
    int busy = 0;                   // handlers of this window on the stack
    bool releasingCapture = false;  // the host itself lets go of the mouse
    AppliedWindow applied;
    // The menu bar's entries; the bar itself belongs to the window once attached.
    BuiltPopupMenu menuBar;
    FormPainter painter;
    ChildControls children;
    ToolTips tips;
    HotkeyRegistration hotkey;
    // Another program's window that had the keyboard when this one took it.
    HWND focusFrom = nullptr;
    // What screen readers are handed for the window's own item row, made at their first
    // question.
    ComPtr<AccessibleRow> accessible;
    // A form that takes drops: its registered drop target, and the drops it has still to hear
    // of (point in twips, what was dropped).
    ComPtr<DropTarget> dropTarget;
    DropTargets* dropTargets = nullptr;
    bool dropsAfterFirstPaint = false;
    std::deque<std::pair<forms::Point, forms::DragData>> drops;

    HostedWindow(Win32WindowHost& owningHost, forms::Form& shownForm,
                 const ControlServices& services) noexcept
        : host(&owningHost),
          form(&shownForm),
          children(services),
          tips(services.instance, *services.failures) {}
    HostedWindow(const HostedWindow&) = delete;
    HostedWindow& operator=(const HostedWindow&) = delete;
    // The window's last messages must not reach a half-destroyed record. Its controls and
    // tooltips go with it, as the system destroys a window's children and owned windows:
    // destroyed one by one before it, each would uncover and repaint part of a window still on
    // the screen, and a settings window holds over a hundred.
    ~HostedWindow() {
        disconnectAccessible();
        hotkey.reset();
        if (window) {
            revokeDrops();
            SetWindowLongPtrW(window.get(), GWLP_USERDATA, 0);
            tips.abandon();
            children.abandon();
            window.reset();
        }
    }

    // Counts a handler of the window on the stack, so the window outlives it.
    class Busy {
    public:
        explicit Busy(HostedWindow& hosted) noexcept : busy_(hosted.busy) { ++busy_; }
        ~Busy() { --busy_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        int& busy_;
    };

    // The form is gone; the window stays until no handler of it is on the stack.
    void formGone() noexcept {
        form = nullptr;
        children.formGone();
        drops.clear();
    }
    // OLE lets go of the window's drop target while the window is still there; a drag still
    // under way reaches nothing.
    void revokeDrops() noexcept {
        if (dropTargets != nullptr) {
            dropTargets->remove(window.get());
            dropTargets = nullptr;
        }
        if (dropTarget) {
            dropTarget->detach();
        }
    }
    // A screen reader may hold the window's object longer than the window lives.
    void disconnectAccessible() noexcept {
        if (accessible) {
            accessible->disconnect();
            accessible.reset();
        }
    }
    // The system destroyed the window, and its children and owned windows with it.
    void windowDestroyed() noexcept {
        disconnectAccessible();
        revokeDrops();
        tips.abandon();
        children.abandon();
        static_cast<void>(window.release());
    }
};

}  // namespace quorvel::platform::win32
