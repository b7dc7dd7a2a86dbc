// The after-event sync: every window brought in line with its form, one part at a time, each
// applied only when it changed.
#include "platform/win32/colors.h"
#include "platform/win32/key_map.h"
#include "platform/win32/strconv.h"
#include "platform/win32/window_frame.h"
#include "platform/win32/window_host.h"

namespace quorvel::platform::win32 {

namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

}  // namespace

void Win32WindowHost::sync() {
    // Moving and showing windows sends messages; none of them may start another sync.
    if (syncing_) {
        return;
    }
    syncing_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{syncing_};
    reap();
    // By index: nothing here creates forms, but stay safe if a window appears meanwhile.
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i]->form != nullptr && realise(*windows_[i]) != nullptr) {
            syncOne(*windows_[i]);
        }
    }
}

void Win32WindowHost::syncOne(HostedWindow& hosted) {
    const bool wasVisible = hosted.applied.visible.value_or(false);
    syncFrame(hosted);
    syncPlace(hosted);
    syncColorKey(hosted);
    syncStacking(hosted);
    syncVisibility(hosted);
    syncActivation(hosted, wasVisible);
    syncContent(hosted);
    syncHotkey(hosted);
    syncAccessibleFocus(hosted);
}

void Win32WindowHost::syncFrame(HostedWindow& hosted) {
    const forms::Form& form = *hosted.form;
    HWND window = hosted.window.get();
    AppliedWindow& applied = hosted.applied;
    if (applied.style != form.style()) {
        applyFrameStyle(window, form.style(), failures_);
        setWindowLong(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerFor(hosted)),
                      failures_);
        applied.style = form.style();
        applied.box.reset();  // the frame changes what the client area costs
        applied.text.reset();
    }
    const std::string text = windowTextOf(form);
    if (applied.text != text) {
        failures_.check(SetWindowTextW(window, toWide(text).c_str()), "SetWindowTextW");
        applied.text = text;
    }
    syncMenuBar(hosted);
}

void Win32WindowHost::syncMenuBar(HostedWindow& hosted) {
    const forms::Form& form = *hosted.form;
    // Only a dialog window has a place for a menu bar.
    const bool wanted = form.menuBar() && form.style() == forms::FormStyle::Dialog;
    if (hosted.applied.menuBar == wanted) {
        return;
    }
    HWND window = hosted.window.get();
    if (HMENU old = GetMenu(window); old != nullptr) {
        failures_.check(SetMenu(window, nullptr), "SetMenu (none)");
        failures_.check(DestroyMenu(old), "DestroyMenu");
    }
    hosted.menuBar = BuiltPopupMenu{};
    if (wanted) {
        hosted.menuBar = buildMenuBar(form);
        if (!hosted.menuBar.menu) {
            failures_.record("CreateMenu");
        } else if (failures_.check(SetMenu(window, hosted.menuBar.menu.get()), "SetMenu")) {
            static_cast<void>(hosted.menuBar.menu.release());  // the window owns it now
        }
    }
    hosted.applied.menuBar = wanted;
    hosted.applied.box.reset();  // the menu bar changes what the client area costs
}

void Win32WindowHost::syncPlace(HostedWindow& hosted) {
    const PixelBox box = windowBoxOf(*hosted.form, hosted.dpi);
    if (hosted.applied.box == box) {
        return;
    }
    failures_.check(SetWindowPos(hosted.window.get(), nullptr, box.left, box.top, box.width(),
                                 box.height(), SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE),
                    "SetWindowPos (place)");
    hosted.applied.box = box;
}

void Win32WindowHost::syncColorKey(HostedWindow& hosted) {
    const std::optional<forms::ColorNumber> key = hosted.form->colorKey();
    if (hosted.applied.colorKey == key) {
        return;
    }
    HWND window = hosted.window.get();
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (key) {
        setWindowLong(window, GWL_EXSTYLE, style | WS_EX_LAYERED, failures_);
        failures_.check(SetLayeredWindowAttributes(window, toColorRef(*key), 0, LWA_COLORKEY),
                        "SetLayeredWindowAttributes");
    } else {
        setWindowLong(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED),
                      failures_);
    }
    hosted.applied.colorKey = key;
    hosted.applied.revision.reset();  // repaint: keyed pictures are drawn differently
}

void Win32WindowHost::syncStacking(HostedWindow& hosted) {
    const forms::Form& form = *hosted.form;
    AppliedWindow& applied = hosted.applied;
    if (applied.topmost == form.topmost() && applied.stacking == form.stackingSerial()) {
        return;
    }
    if (!form.topmost()) {
        // An owned window is kept just above its owner: with the (never shown) owner at the
        // very bottom, nothing holds the window in the top-most band it is leaving.
        failures_.check(SetWindowPos(hosted.owner.get(), HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace),
                        "SetWindowPos (owner not top-most)");
        failures_.check(SetWindowPos(hosted.owner.get(), HWND_BOTTOM, 0, 0, 0, 0, kKeepPlace),
                        "SetWindowPos (owner to the bottom)");
    }
    const UINT show = form.visible() ? SWP_SHOWWINDOW : 0U;
    failures_.check(
        SetWindowPos(hosted.window.get(), form.topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                     0, kKeepPlace | show),
        "SetWindowPos (stacking)");
    applied.topmost = form.topmost();
    applied.stacking = form.stackingSerial();
    if (form.visible()) {
        applied.visible = true;
    }
}

void Win32WindowHost::syncVisibility(HostedWindow& hosted) {
    const bool visible = hosted.form->visible();
    if (hosted.applied.visible == visible) {
        return;
    }
    // ShowWindow answers whether the window was visible before, not whether it worked.
    ShowWindow(hosted.window.get(), visible ? SW_SHOWNA : SW_HIDE);
    hosted.applied.visible = visible;
}

void Win32WindowHost::rememberFocusFrom(HostedWindow& hosted) {
    HWND before = GetForegroundWindow();
    DWORD process = 0;
    if (before == nullptr || before == hosted.window.get() ||
        GetWindowThreadProcessId(before, &process) == 0 || process == GetCurrentProcessId()) {
        return;  // this program's own windows never count: the menu's owner, a closed dialog
    }
    hosted.focusFrom = before;
}

void Win32WindowHost::syncActivation(HostedWindow& hosted, bool wasVisible) {
    const forms::Form& form = *hosted.form;
    const bool requested = hosted.applied.activation != form.activationSerial();
    hosted.applied.activation = form.activationSerial();
    const bool handBack = hosted.applied.focusReturn != form.focusReturnSerial();
    hosted.applied.focusReturn = form.focusReturnSerial();
    const bool dialogAppears = form.style() == forms::FormStyle::Dialog && !wasVisible;
    if (form.visible() && (requested || dialogAppears)) {
        // A window a person works in comes up ready for the keyboard, and one opened again
        // comes forward from behind the other programs' windows. The system may refuse while
        // another program holds the foreground (the window's taskbar button flashes instead).
        rememberFocusFrom(hosted);
        failures_.check(SetForegroundWindow(hosted.window.get()), "SetForegroundWindow");
    } else if (handBack && hosted.focusFrom != nullptr) {
        // Only while it still exists; a window that has gone takes nothing back.
        if (IsWindow(hosted.focusFrom) != FALSE) {
            failures_.check(SetForegroundWindow(hosted.focusFrom), "SetForegroundWindow (back)");
        }
        hosted.focusFrom = nullptr;
    }
}

void Win32WindowHost::syncHotkey(HostedWindow& hosted) {
    const std::optional<forms::Hotkey>& wanted = hosted.form->hotkey();
    if (hosted.applied.hotkey == wanted) {
        return;
    }
    hosted.hotkey.reset();
    if (wanted) {
        // Another program may hold the combination already: the window works on without it.
        constexpr int kHotkeyId = 1;
        const HotkeyCode code = hotkeyCodeOf(*wanted);
        hosted.hotkey =
            HotkeyRegistration(hosted.window.get(), kHotkeyId, code.modifiers, code.virtualKey);
        if (!hosted.hotkey) {
            failures_.record("RegisterHotKey (" + hosted.form->name() + ")");
        }
    }
    hosted.applied.hotkey = wanted;
}

void Win32WindowHost::syncAccessibleFocus(HostedWindow& hosted) {
    // Screen readers follow the keyboard through the items by this event.
    const forms::ItemRow* row = hosted.form->windowRow();
    std::optional<std::size_t> focus;
    if (row != nullptr && row->focused()) {
        focus = row->current();
    }
    if (focus == hosted.applied.announcedFocus) {
        return;
    }
    hosted.applied.announcedFocus = focus;
    if (focus) {
        if (const std::optional<LONG> child = AccessibleRow::childIdOf(*row, *focus)) {
            NotifyWinEvent(EVENT_OBJECT_FOCUS, hosted.window.get(), OBJID_CLIENT, *child);
        }
    }
}

void Win32WindowHost::syncContent(HostedWindow& hosted) {
    const forms::Form& form = *hosted.form;
    HWND window = hosted.window.get();
    hosted.children.sync(window, form, hosted.dpi);
    hosted.tips.sync(window, form, hosted.dpi, hosted.children);
    if (hosted.applied.revision != form.revision()) {
        hosted.applied.revision = form.revision();
        failures_.check(InvalidateRect(window, nullptr, FALSE), "InvalidateRect");
    }
}

}  // namespace quorvel::platform::win32
