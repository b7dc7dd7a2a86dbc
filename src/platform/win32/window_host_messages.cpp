// What the windows' messages mean to their forms: one small handler per message, found in one
// table that also says which messages run the program's handlers (and so end with the
// after-event step). Painting, placing and sizing messages do not: the after-event step itself
// sends them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/drag_data_reader.h"
#include "platform/win32/key_map.h"
#include "platform/win32/strconv.h"
#include "platform/win32/window_host.h"

namespace quorvel::platform::win32 {

namespace {

forms::Point pointFrom(LPARAM lp, int dpi) {
    // Signed: with the mouse captured, positions left of or above the window are negative.
    const auto x = static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lp)));
    const auto y = static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lp)));
    return {pixelsToTwips(x, dpi), pixelsToTwips(y, dpi)};
}

// DragFinish for every drop, whatever the handler does.
class DropScope {
public:
    explicit DropScope(HDROP drop) noexcept : drop_(drop) {}
    ~DropScope() { DragFinish(drop_); }
    DropScope(const DropScope&) = delete;
    DropScope& operator=(const DropScope&) = delete;

private:
    HDROP drop_;
};

}  // namespace

const Win32WindowHost::MessageRoute* Win32WindowHost::routeOf(UINT message) noexcept {
    using H = Win32WindowHost;
    static constexpr MessageRoute kRoutes[] = {
        {WM_ERASEBKGND, &H::onEraseBackground, false},
        {WM_PAINT, &H::onPaint, false},
        {WM_MOUSEMOVE, &H::onMouseMove, true},
        {WM_LBUTTONDOWN, &H::onLeftButtonDown, true},
        {WM_LBUTTONUP, &H::onLeftButtonUp, true},
        {WM_RBUTTONDOWN, &H::onRightButtonDown, true},
        {WM_RBUTTONUP, &H::onRightButtonUp, true},
        {WM_SETCURSOR, &H::onSetCursor, false},
        {WM_CAPTURECHANGED, &H::onCaptureChanged, true},
        {WM_DROPFILES, &H::onDropFiles, true},
        {kDroppedMessage, &H::onDataDropped, true},
        {kTakeDropsMessage, &H::onTakeDrops, false},
        {WM_TIMER, &H::onTimer, false},
        {WM_DPICHANGED, &H::onDpiChanged, true},
        {WM_DISPLAYCHANGE, &H::onDisplayChange, true},
        {WM_SETTINGCHANGE, &H::onSettingChange, true},
        {WM_COMMAND, &H::onCommand, true},
        {WM_CTLCOLORSTATIC, &H::onControlColor<WM_CTLCOLORSTATIC>, false},
        {WM_CTLCOLORBTN, &H::onControlColor<WM_CTLCOLORBTN>, false},
        {WM_CTLCOLOREDIT, &H::onControlColor<WM_CTLCOLOREDIT>, false},
        {WM_CTLCOLORLISTBOX, &H::onControlColor<WM_CTLCOLORLISTBOX>, false},
        {WM_ACTIVATE, &H::onActivate, false},
        {WM_SETFOCUS, &H::onSetFocus, true},
        {WM_KILLFOCUS, &H::onKillFocus, true},
        {WM_KEYDOWN, &H::onKeyDown, true},
        {WM_SYSKEYDOWN, &H::onKeyDown, true},  // Shift+F10 is a system key
        {WM_HOTKEY, &H::onHotkey, true},
        {WM_GETOBJECT, &H::onGetObject, false},
        {kAccessibleActionMessage, &H::onAccessibleAction, true},
        {WM_PRINTCLIENT, &H::onPrintClient, false},
        {WM_GETMINMAXINFO, &H::onGetMinMaxInfo, false},
        {WM_EXITSIZEMOVE, &H::onExitSizeMove, false},
        {WM_CLOSE, &H::onClose, true},
        {WM_QUERYENDSESSION, &H::onQueryEndSession, true},
        {WM_ENDSESSION, &H::onEndSession, true},
    };
    for (const MessageRoute& route : kRoutes) {
        if (route.message == message) {
            return &route;
        }
    }
    return nullptr;
}

LRESULT Win32WindowHost::handle(HostedWindow& hosted, UINT message, WPARAM wp, LPARAM lp) {
    HWND window = hosted.window.get();
    if (hosted.form == nullptr) {
        return DefWindowProcW(window, message, wp, lp);
    }
    const auto asEvent = [this](const auto& handler) {
        return dispatcher_ != nullptr ? dispatcher_->dispatch(handler) : handler();
    };
    for (const auto& [registered, handler] : broadcasts_) {
        if (message == registered) {
            asEvent([&] { systemEvent(hosted, handler); });
            return 0;
        }
    }
    const MessageRoute* route = routeOf(message);
    if (route == nullptr) {
        return DefWindowProcW(window, message, wp, lp);
    }
    const auto run = [&] { return (this->*route->handler)(hosted, wp, lp); };
    const std::optional<LRESULT> answer = route->event ? asEvent(run) : run();
    return answer ? *answer : DefWindowProcW(window, message, wp, lp);
}

void Win32WindowHost::systemEvent(const HostedWindow& hosted,
                                  const std::function<void()>& handler) {
    // Every top-level window hears of it; the program is told once.
    if (handler && hosted.window.get() == mainWindow()) {
        handler();
    }
}

std::optional<LRESULT> Win32WindowHost::onEraseBackground(HostedWindow&, WPARAM, LPARAM) {
    return 1;  // the paint covers every pixel; erasing first would flicker
}

std::optional<LRESULT> Win32WindowHost::onPaint(HostedWindow& hosted, WPARAM, LPARAM) {
    HWND window = hosted.window.get();
    const PaintScope paint(window);
    RECT client{};
    failures_.check(GetClientRect(window, &client), "GetClientRect");
    hosted.painter.paint(*hosted.form, paint.get(), client.right, client.bottom, hosted.dpi);
    paintBufferInUse(hosted);
    if (hosted.dropsAfterFirstPaint) {
        hosted.dropsAfterFirstPaint = false;
        failures_.check(PostMessageW(window, kTakeDropsMessage, 0, 0), "PostMessageW (drops)");
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onTakeDrops(HostedWindow& hosted, WPARAM, LPARAM) {
    takeDrops(hosted);
    return 0;
}

void Win32WindowHost::paintBufferInUse(HostedWindow& hosted) {
    // Set again after every paint, so it fires only once the window is at rest.
    if (SetTimer(hosted.window.get(), kPaintBufferTimer, kPaintBufferRestMs, nullptr) == 0) {
        failures_.record("SetTimer (paint buffer)");
    }
}

std::optional<LRESULT> Win32WindowHost::onTimer(HostedWindow& hosted, WPARAM wp, LPARAM) {
    if (wp != kPaintBufferTimer) {
        return std::nullopt;
    }
    failures_.check(KillTimer(hosted.window.get(), kPaintBufferTimer), "KillTimer (paint buffer)");
    hosted.painter.releaseBuffer();
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onMouseMove(HostedWindow& hosted, WPARAM, LPARAM lp) {
    hosted.form->mouseMove(pointFrom(lp, hosted.dpi));
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onLeftButtonDown(HostedWindow& hosted, WPARAM, LPARAM lp) {
    SetCapture(hosted.window.get());  // answers the window that had the mouse before
    hosted.form->mouseDown(forms::MouseButton::Left, pointFrom(lp, hosted.dpi),
                           static_cast<std::uint32_t>(GetMessageTime()));
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onLeftButtonUp(HostedWindow& hosted, WPARAM, LPARAM lp) {
    hosted.releasingCapture = true;
    failures_.check(ReleaseCapture(), "ReleaseCapture");
    hosted.releasingCapture = false;
    // Losing the capture may have run handlers that unloaded the form.
    if (hosted.form != nullptr) {
        hosted.form->mouseUp(forms::MouseButton::Left, pointFrom(lp, hosted.dpi));
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onRightButtonDown(HostedWindow& hosted, WPARAM, LPARAM lp) {
    hosted.form->mouseDown(forms::MouseButton::Right, pointFrom(lp, hosted.dpi));
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onRightButtonUp(HostedWindow& hosted, WPARAM, LPARAM lp) {
    hosted.form->mouseUp(forms::MouseButton::Right, pointFrom(lp, hosted.dpi));
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onSetCursor(HostedWindow& hosted, WPARAM wp, LPARAM lp) {
    // Over the form's own client area the image under the pointer may ask for the hand; over a
    // real control, the title bar or the frame the system decides.
    HWND window = hosted.window.get();
    if (reinterpret_cast<HWND>(wp) != window || LOWORD(lp) != HTCLIENT) {
        return std::nullopt;
    }
    POINT at{};
    if (GetCursorPos(&at) == FALSE || ScreenToClient(window, &at) == FALSE) {
        return std::nullopt;
    }
    const forms::Point p{pixelsToTwips(at.x, hosted.dpi), pixelsToTwips(at.y, hosted.dpi)};
    if (hosted.form->pointerAt(p) != forms::MousePointer::Hand) {
        return std::nullopt;  // the class's arrow
    }
    // A shared system cursor: nothing to free.
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

std::optional<LRESULT> Win32WindowHost::onCaptureChanged(HostedWindow& hosted, WPARAM, LPARAM) {
    // Another window took the mouse between press and release (a menu, a message box,
    // Alt+Tab): the release will not come here, and no click may follow later.
    if (!hosted.releasingCapture) {
        hosted.form->captureLost();
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onDropFiles(HostedWindow& hosted, WPARAM wp, LPARAM) {
    auto* drop = reinterpret_cast<HDROP>(wp);
    const DropScope finish(drop);
    POINT at{};
    DragQueryPoint(drop, &at);  // answers whether the drop was in the client area
    forms::DragData data{droppedFiles(drop), {}};
    if (!data.empty()) {
        hosted.form->drop({pixelsToTwips(at.x, hosted.dpi), pixelsToTwips(at.y, hosted.dpi)}, data);
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onDataDropped(HostedWindow& hosted, WPARAM, LPARAM) {
    if (hosted.drops.empty()) {
        return 0;
    }
    auto [at, data] = std::move(hosted.drops.front());
    hosted.drops.pop_front();
    hosted.form->drop(at, data);
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onDpiChanged(HostedWindow& hosted, WPARAM wp, LPARAM) {
    hosted.dpi = HIWORD(wp) == 0 ? kDesignDpi : static_cast<int>(HIWORD(wp));
    hosted.applied.box.reset();
    hosted.applied.revision.reset();
    syncOne(hosted);
    systemEvent(hosted, onScreenChanged);
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onDisplayChange(HostedWindow& hosted, WPARAM, LPARAM) {
    systemEvent(hosted, onScreenChanged);
    return std::nullopt;
}

std::optional<LRESULT> Win32WindowHost::onSettingChange(HostedWindow& hosted, WPARAM wp, LPARAM) {
    if (wp == SPI_SETWORKAREA) {
        systemEvent(hosted, onScreenChanged);
    }
    return std::nullopt;
}

std::optional<LRESULT> Win32WindowHost::onCommand(HostedWindow& hosted, WPARAM wp, LPARAM lp) {
    if (lp == 0 && HIWORD(wp) == 0) {
        if (forms::MenuItem* chosen = menuBarCommand(hosted.menuBar, LOWORD(wp))) {
            chosen->click();
            return 0;
        }
    }
    if (hosted.children.command(*hosted.form, wp, lp)) {
        return 0;
    }
    return std::nullopt;
}

template <UINT Message>
std::optional<LRESULT> Win32WindowHost::onControlColor(HostedWindow& hosted, WPARAM wp, LPARAM lp) {
    return hosted.children.controlColor(*hosted.form, Message, reinterpret_cast<HDC>(wp),
                                        reinterpret_cast<HWND>(lp));
}

std::optional<LRESULT> Win32WindowHost::onActivate(HostedWindow& hosted, WPARAM wp, LPARAM) {
    if (LOWORD(wp) == WA_INACTIVE) {
        hosted.children.windowDeactivated(hosted.window.get());
    }
    return std::nullopt;
}

std::optional<LRESULT> Win32WindowHost::onSetFocus(HostedWindow& hosted, WPARAM, LPARAM) {
    if (forms::ItemRow* row = hosted.form->windowRow()) {
        row->focusChanged(true);
    }
    hosted.children.windowFocused(hosted.window.get());
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onKillFocus(HostedWindow& hosted, WPARAM, LPARAM) {
    if (forms::ItemRow* row = hosted.form->windowRow()) {
        row->focusChanged(false);
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onKeyDown(HostedWindow& hosted, WPARAM wp, LPARAM) {
    // Only a window that has the keyboard itself gets these: the bar, never another program's
    // keys.
    forms::ItemRow* row = hosted.form->windowRow();
    const std::optional<forms::KeyPress> key = keyPressOf(static_cast<UINT>(wp), heldModifiers());
    if (row == nullptr || !key || !row->keyDown(*key)) {
        return std::nullopt;  // Alt+F4 and the rest, as before
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onHotkey(HostedWindow& hosted, WPARAM, LPARAM) {
    hosted.form->hotkeyPressed();
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onGetObject(HostedWindow& hosted, WPARAM wp, LPARAM lp) {
    // Only the window's own client area is the row's; its frame, and every window without a row,
    // the system describes.
    if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT) ||
        hosted.form->windowRow() == nullptr) {
        return std::nullopt;
    }
    if (!hosted.accessible) {
        *hosted.accessible.put() = new AccessibleRow(hosted, accessibility_);
    }
    const LRESULT handedOut = accessibility_.resultFor(hosted.accessible.get(), wp);
    if (handedOut < 0) {
        failures_.record("LresultFromObject", static_cast<DWORD>(handedOut));
    }
    return handedOut > 0 ? std::optional<LRESULT>(handedOut) : std::nullopt;
}

std::optional<LRESULT> Win32WindowHost::onAccessibleAction(HostedWindow& hosted, WPARAM wp,
                                                           LPARAM) {
    if (forms::ItemRow* row = hosted.form->windowRow()) {
        row->press(static_cast<std::size_t>(wp), forms::MouseButton::Left);
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onPrintClient(HostedWindow& hosted, WPARAM wp, LPARAM) {
    // An item row's window shows what the form paints under it (item_row_adapter.h).
    RECT client{};
    failures_.check(GetClientRect(hosted.window.get(), &client), "GetClientRect (print)");
    hosted.painter.paint(*hosted.form, reinterpret_cast<HDC>(wp), client.right, client.bottom,
                         hosted.dpi);
    paintBufferInUse(hosted);
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onGetMinMaxInfo(HostedWindow& hosted, WPARAM, LPARAM lp) {
    // A dialog keeps the size its form gives it.
    if (hosted.form->style() != forms::FormStyle::Dialog || !hosted.applied.box) {
        return std::nullopt;
    }
    auto* limits = reinterpret_cast<MINMAXINFO*>(lp);
    const POINT size{hosted.applied.box->width(), hosted.applied.box->height()};
    limits->ptMinTrackSize = size;
    limits->ptMaxTrackSize = size;
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onExitSizeMove(HostedWindow& hosted, WPARAM, LPARAM) {
    // The person dragged the window by its title bar: the form takes the new place, so the next
    // change of the form does not put the window back.
    RECT r{};
    if (GetWindowRect(hosted.window.get(), &r) != FALSE && hosted.applied.box) {
        hosted.form->setLeft(pixelsToTwips(r.left, hosted.dpi));
        hosted.form->setTop(pixelsToTwips(r.top, hosted.dpi));
        hosted.applied.box = PixelBox{r.left, r.top, r.left + hosted.applied.box->width(),
                                      r.top + hosted.applied.box->height()};
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onClose(HostedWindow& hosted, WPARAM, LPARAM) {
    if (!hosted.form->requestClose() && onCloseRequest) {
        onCloseRequest(*hosted.form);
    }
    return 0;
}

std::optional<LRESULT> Win32WindowHost::onQueryEndSession(HostedWindow& hosted, WPARAM, LPARAM) {
    systemEvent(hosted, onSessionEnding);
    return TRUE;
}

std::optional<LRESULT> Win32WindowHost::onEndSession(HostedWindow& hosted, WPARAM wp, LPARAM) {
    systemEvent(hosted, wp != 0 ? onSessionEnded : onSessionContinues);
    return 0;
}

}  // namespace quorvel::platform::win32
