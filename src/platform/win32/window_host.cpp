#include "platform/win32/window_host.h"

#include <algorithm>

#include "platform/win32/colors.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/strconv.h"
#include "platform/win32/window_frame.h"

namespace quorvel::platform::win32 {

namespace {

constexpr wchar_t kClassPrefix[] = L"Quorvel.";
constexpr wchar_t kOwnerClass[] = L"Quorvel.Owner";

LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    // Another program asked every window of the process to close (a task kill that is not
    // forced does): the window this one owns gets the request as well and the program
    // answers it there. Destroyed here, the owner would take that window with it behind the
    // program's back, and the program would run on without a bar.
    if (message == WM_CLOSE) {
        return 0;
    }
    return DefWindowProcW(window, message, wp, lp);
}

WNDCLASSEXW ownerClassOf(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &ownerProc;
    wc.hInstance = instance;
    wc.lpszClassName = kOwnerClass;
    return wc;
}

int dpiOf(HWND window) {
    const UINT dpi = window != nullptr ? GetDpiForWindow(window) : GetDpiForSystem();
    return dpi == 0 ? kDesignDpi : static_cast<int>(dpi);
}

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

// Posted to a window whose form is gone, to destroy it once its own messages have returned.
constexpr UINT kReapMessage = WM_APP + 0x100;

// Counts a handler of a window on the stack, so the window outlives it.
class BusyScope {
public:
    explicit BusyScope(int& busy) noexcept : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& busy_;
};

}  // namespace

Win32WindowHost::Win32WindowHost(HINSTANCE instance)
    : instance_(instance), ownerClass_(ownerClassOf(instance)) {}

Win32WindowHost::~Win32WindowHost() {
    for (auto& hosted : windows_) {
        hosted->form = nullptr;
    }
    windows_.clear();
}

const std::wstring& Win32WindowHost::classFor(const std::string& formName) {
    auto found = classes_.find(formName);
    if (found != classes_.end()) {
        return found->second.first;
    }
    std::wstring name = kClassPrefix + toWide(formName);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Win32WindowHost::windowProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // every pixel is painted from the off-screen buffer
    wc.lpszClassName = name.c_str();
    WindowClass registered(wc);
    auto [it, added] =
        classes_.emplace(formName, std::make_pair(std::move(name), std::move(registered)));
    return it->second.first;
}

void Win32WindowHost::formCreated(forms::Form& form) {
    // The real window is made when it is first needed, at the latest by the next sync, in the
    // order the forms were created: the bar is on screen before its popups cost anything.
    auto hosted = std::make_unique<Hosted>(controlServices_);
    hosted->host = this;
    hosted->form = &form;
    windows_.push_back(std::move(hosted));
}

HWND Win32WindowHost::ownerFor(const Hosted& hosted) noexcept {
    // A dialog wants its own taskbar button, which the hidden owner would take away (Wine's
    // taskbar leaves every owned window out, whatever its styles say).
    return hosted.form != nullptr && hosted.form->style() == forms::FormStyle::Dialog
               ? nullptr
               : hosted.owner.get();
}

HWND Win32WindowHost::realise(Hosted& hosted) {
    if (hosted.window || hosted.form == nullptr) {
        return hosted.window.get();
    }
    const forms::Form& form = *hosted.form;
    const std::wstring& className = classFor(form.name());
    const std::string text = windowTextOf(form);
    const std::wstring title = toWide(text);
    hosted.owner.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, title.c_str(), WS_POPUP, 0, 0,
                                       0, 0, nullptr, nullptr, instance_, nullptr));
    // Created hidden and empty; the sync places and shows it from the form. The window
    // procedure takes ownership of the handle when the window is created.
    // Only a window with somewhere to drop files (the bar's Recycle Bin) takes them: over the
    // others the pointer shows that a drop would do nothing.
    const DWORD accept = form.acceptsDrops() ? WS_EX_ACCEPTFILES : 0;
    const FrameStyle frame = frameStyleOf(form.style());
    HWND window =
        CreateWindowExW(frame.exStyle | accept, className.c_str(), title.c_str(), frame.style, 0, 0,
                        0, 0, ownerFor(hosted), nullptr, instance_, &hosted);
    if (window == nullptr) {
        failures_.record("CreateWindowExW (" + form.name() + ")");
        return nullptr;
    }
    hosted.applied.style = form.style();
    hosted.applied.text = text;
    // Only a request made after the window exists brings it forward; its first showing
    // decides by its look whether it takes the focus.
    hosted.applied.activation = form.activationSerial();
    if (form.style() == forms::FormStyle::Dialog && dialogIcon_ != 0) {
        setWindowIcon(window, instance_, dialogIcon_);
    }
    hosted.dpi = dpiOf(window);
    hosted.children.sync(window, form, hosted.dpi);
    return window;
}

void Win32WindowHost::formDestroyed(forms::Form& form) {
    for (auto& hosted : windows_) {
        if (hosted->form == &form) {
            hosted->form = nullptr;
        }
    }
    reap();
}

forms::MenuItem* Win32WindowHost::popupMenu(forms::Form& owner, forms::MenuItem& menu) {
    // What the handler changed so far (a window made, the bar stacked afresh) reaches the
    // screen before the menu does; done later, it would stack the bar over the open menu.
    sync();
    HWND window = windowOf(owner);
    return window != nullptr ? trackPopupMenu(window, menu, failures_) : nullptr;
}

forms::Size Win32WindowHost::windowSize(const forms::Form& form) {
    Hosted* hosted = hostedOf(form);
    const int dpi = hosted != nullptr && realise(*hosted) != nullptr ? hosted->dpi : dpiOf(nullptr);
    const PixelBox box = windowBoxOf(form, dpi);
    return forms::Size{pixelsToTwips(box.width(), dpi), pixelsToTwips(box.height(), dpi)};
}

void Win32WindowHost::updateNow() {
    sync();
    for (const auto& hosted : windows_) {
        if (hosted->form != nullptr && hosted->window && hosted->form->visible()) {
            // The frame and menu bar too: a window that has just appeared has had no paint yet.
            RedrawWindow(hosted->window.get(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    }
}

void Win32WindowHost::reap() {
    std::vector<std::unique_ptr<Hosted>> gone;
    for (auto it = windows_.begin(); it != windows_.end();) {
        if ((*it)->form == nullptr && (*it)->busy == 0) {
            gone.push_back(std::move(*it));
            it = windows_.erase(it);
        } else {
            ++it;
        }
    }
    // Destroyed once out of the list: a window that goes hands the focus and activation to
    // another, whose handlers may bring everything up to date and so reap again.
    gone.clear();
}

HWND Win32WindowHost::windowOf(const forms::Form& form) {
    for (const auto& hosted : windows_) {
        if (hosted->form == &form) {
            return realise(*hosted);
        }
    }
    return nullptr;
}

Win32WindowHost::Hosted* Win32WindowHost::hostedOf(const forms::Form& form) const noexcept {
    for (const auto& hosted : windows_) {
        if (hosted->form == &form) {
            return hosted.get();
        }
    }
    return nullptr;
}

HWND Win32WindowHost::windowOf(const forms::Control& control) {
    Hosted* hosted = hostedOf(control.owner());
    return hosted != nullptr && realise(*hosted) != nullptr ? hosted->children.windowOf(control)
                                                            : nullptr;
}

HWND Win32WindowHost::toolTipsOf(const forms::Form& form) {
    const Hosted* hosted = hostedOf(form);
    return hosted != nullptr ? hosted->tips.window() : nullptr;
}

bool Win32WindowHost::preTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || msg.hwnd == nullptr) {
        return false;
    }
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    for (const auto& hosted : windows_) {
        if (hosted->form != nullptr && hosted->window.get() == root) {
            // The bar and its popups have no controls: their keys go on as before.
            if (hosted->children.empty() || IsDialogMessageW(root, &msg) == FALSE) {
                return false;
            }
            hosted->children.showDefault();
            return true;
        }
    }
    return false;
}

HWND Win32WindowHost::mainWindow() {
    for (const auto& hosted : windows_) {
        if (hosted->form != nullptr) {
            return realise(*hosted);
        }
    }
    return nullptr;
}

void Win32WindowHost::onBroadcast(UINT message, std::function<void()> handler) {
    broadcasts_.emplace_back(message, std::move(handler));
}

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

void Win32WindowHost::syncFrame(Hosted& hosted) {
    const forms::Form& form = *hosted.form;
    HWND window = hosted.window.get();
    Applied& applied = hosted.applied;
    if (applied.style != form.style()) {
        applyFrameStyle(window, form.style());
        SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerFor(hosted)));
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

void Win32WindowHost::syncMenuBar(Hosted& hosted) {
    const forms::Form& form = *hosted.form;
    // Only a dialog window has a place for a menu bar.
    const bool wanted = form.menuBar() && form.style() == forms::FormStyle::Dialog;
    if (hosted.applied.menuBar == wanted) {
        return;
    }
    HWND window = hosted.window.get();
    if (HMENU old = GetMenu(window); old != nullptr) {
        SetMenu(window, nullptr);
        DestroyMenu(old);
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

void Win32WindowHost::syncOne(Hosted& hosted) {
    const forms::Form& form = *hosted.form;
    HWND window = hosted.window.get();
    Applied& applied = hosted.applied;
    syncFrame(hosted);
    const bool wasVisible = applied.visible.value_or(false);

    const int dpi = hosted.dpi;
    const PixelBox box = windowBoxOf(form, dpi);
    const bool moved = !applied.box || applied.box->left != box.left ||
                       applied.box->top != box.top || applied.box->right != box.right ||
                       applied.box->bottom != box.bottom;
    if (moved) {
        failures_.check(SetWindowPos(window, nullptr, box.left, box.top, box.width(), box.height(),
                                     SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE),
                        "SetWindowPos (place)");
        applied.box = box;
    }

    if (applied.colorKey != form.colorKey()) {
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
        if (form.colorKey()) {
            SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
            failures_.check(
                SetLayeredWindowAttributes(window, toColorRef(*form.colorKey()), 0, LWA_COLORKEY),
                "SetLayeredWindowAttributes");
        } else {
            SetWindowLongPtrW(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        }
        applied.colorKey = form.colorKey();
        applied.revision.reset();  // repaint: keyed pictures are drawn differently
    }

    if (applied.topmost != form.topmost() || applied.stacking != form.stackingSerial()) {
        if (!form.topmost()) {
            // An owned window is kept just above its owner: with the (never shown) owner at the
            // very bottom, nothing holds the window in the top-most band it is leaving.
            SetWindowPos(hosted.owner.get(), HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            SetWindowPos(hosted.owner.get(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        failures_.check(
            SetWindowPos(
                window, form.topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (form.visible() ? SWP_SHOWWINDOW : 0U)),
            "SetWindowPos (stacking)");
        applied.topmost = form.topmost();
        applied.stacking = form.stackingSerial();
        if (form.visible()) {
            applied.visible = true;
        }
        if (form.behind() != nullptr) {
            stackBehind(window, *form.behind());
        }
    }

    if (applied.visible != form.visible()) {
        ShowWindow(window, form.visible() ? SW_SHOWNA : SW_HIDE);
        applied.visible = form.visible();
    }

    const bool activate = applied.activation != form.activationSerial();
    applied.activation = form.activationSerial();
    if (form.visible() && (activate || (form.style() == forms::FormStyle::Dialog && !wasVisible))) {
        // A window a person works in comes up ready for the keyboard, and one opened again
        // comes forward from behind the other programs' windows.
        SetForegroundWindow(window);
    }

    hosted.children.sync(window, form, dpi);
    hosted.tips.sync(window, form, dpi, hosted.children);

    if (applied.revision != form.revision()) {
        applied.revision = form.revision();
        InvalidateRect(window, nullptr, FALSE);
    }
}

void Win32WindowHost::stackBehind(HWND window, const forms::Form& other) {
    for (const auto& hosted : windows_) {
        if (hosted->form == &other && hosted->window) {
            failures_.check(SetWindowPos(window, hosted->window.get(), 0, 0, 0, 0,
                                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE),
                            "SetWindowPos (behind)");
            // Some window systems only ever raise a window (Wine's X11 driver does not lower
            // one below another): the other window comes to the top of its band as well, which
            // puts it over this one there too.
            failures_.check(SetWindowPos(hosted->window.get(), HWND_TOP, 0, 0, 0, 0,
                                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE),
                            "SetWindowPos (over)");
            return;
        }
    }
}

void Win32WindowHost::systemEvent(HWND window, const std::function<void()>& handler) {
    // Every top-level window hears of it; the program is told once.
    if (handler && window == mainWindow()) {
        handler();
    }
}

bool Win32WindowHost::setPointer(const Hosted& hosted) const {
    POINT at{};
    if (GetCursorPos(&at) == FALSE || ScreenToClient(hosted.window.get(), &at) == FALSE) {
        return false;
    }
    const forms::Point p{pixelsToTwips(at.x, hosted.dpi), pixelsToTwips(at.y, hosted.dpi)};
    if (hosted.form->pointerAt(p) != forms::MousePointer::Hand) {
        return false;  // the class's arrow
    }
    // A shared system cursor: nothing to free.
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void Win32WindowHost::dropFiles(Hosted& hosted, HDROP drop) {
    const DropScope finish(drop);
    POINT at{};
    DragQueryPoint(drop, &at);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFFU, nullptr, 0);
    std::vector<std::string> files;
    files.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(copied);
        if (!path.empty()) {
            files.push_back(toUtf8(path));
        }
    }
    if (!files.empty() && hosted.form != nullptr) {
        hosted.form->drop({pixelsToTwips(at.x, hosted.dpi), pixelsToTwips(at.y, hosted.dpi)},
                          files);
    }
}

LRESULT Win32WindowHost::handle(Hosted& hosted, UINT message, WPARAM wp, LPARAM lp) {
    HWND window = hosted.window.get();
    forms::Form* form = hosted.form;
    if (form == nullptr) {
        return DefWindowProcW(window, message, wp, lp);
    }
    for (const auto& [registered, handler] : broadcasts_) {
        if (message == registered) {
            if (window == mainWindow() && handler) {
                handler();
            }
            return 0;
        }
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel; erasing first would flicker
        case WM_PAINT: {
            const PaintScope paint(window);
            RECT client{};
            GetClientRect(window, &client);
            hosted.painter.paint(*form, paint.get(), client.right, client.bottom, hosted.dpi);
            return 0;
        }
        case WM_MOUSEMOVE:
            form->mouseMove(pointFrom(lp, hosted.dpi));
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(window);
            form->mouseDown(forms::MouseButton::Left, pointFrom(lp, hosted.dpi),
                            static_cast<std::uint32_t>(GetMessageTime()));
            return 0;
        case WM_LBUTTONUP:
            hosted.releasingCapture = true;
            ReleaseCapture();
            hosted.releasingCapture = false;
            if (hosted.form != nullptr) {
                hosted.form->mouseUp(forms::MouseButton::Left, pointFrom(lp, hosted.dpi));
            }
            return 0;
        case WM_RBUTTONDOWN:
            form->mouseDown(forms::MouseButton::Right, pointFrom(lp, hosted.dpi));
            return 0;
        case WM_RBUTTONUP:
            form->mouseUp(forms::MouseButton::Right, pointFrom(lp, hosted.dpi));
            return 0;
        case WM_SETCURSOR:
            // Over the form's own client area the image under the pointer may ask for the hand;
            // over a real control, the title bar or the frame the system decides.
            if (reinterpret_cast<HWND>(wp) == window && LOWORD(lp) == HTCLIENT &&
                setPointer(hosted)) {
                return TRUE;
            }
            break;
        case WM_CAPTURECHANGED:
            // Another window took the mouse between press and release (a menu, a message box,
            // Alt+Tab): the release will not come here, and no click may follow later.
            if (!hosted.releasingCapture) {
                form->captureLost();
            }
            return 0;
        case WM_DROPFILES:
            dropFiles(hosted, reinterpret_cast<HDROP>(wp));
            return 0;
        case WM_DPICHANGED:
            hosted.dpi = HIWORD(wp) == 0 ? kDesignDpi : static_cast<int>(HIWORD(wp));
            hosted.applied.box.reset();
            hosted.applied.revision.reset();
            syncOne(hosted);
            systemEvent(window, onScreenChanged);
            return 0;
        case WM_DISPLAYCHANGE:
            systemEvent(window, onScreenChanged);
            break;
        case WM_SETTINGCHANGE:
            if (wp == SPI_SETWORKAREA) {
                systemEvent(window, onScreenChanged);
            }
            break;
        case WM_COMMAND:
            if (lp == 0 && HIWORD(wp) == 0) {
                if (forms::MenuItem* chosen = menuBarCommand(hosted.menuBar, LOWORD(wp))) {
                    chosen->click();
                    return 0;
                }
            }
            if (hosted.children.command(*form, wp, lp)) {
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return hosted.children.controlColor(*form, message, reinterpret_cast<HDC>(wp),
                                                reinterpret_cast<HWND>(lp));
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                hosted.children.windowDeactivated(window);
            }
            break;
        case WM_SETFOCUS:
            hosted.children.windowFocused(window);
            return 0;
        case WM_GETMINMAXINFO:
            // A dialog keeps the size its form gives it.
            if (form->style() == forms::FormStyle::Dialog && hosted.applied.box) {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lp);
                const POINT size{hosted.applied.box->width(), hosted.applied.box->height()};
                limits->ptMinTrackSize = size;
                limits->ptMaxTrackSize = size;
                return 0;
            }
            break;
        case WM_EXITSIZEMOVE: {
            // The person dragged the window by its title bar: the form takes the new place, so
            // the next change of the form does not put the window back.
            RECT r{};
            if (GetWindowRect(window, &r) != FALSE && hosted.applied.box) {
                form->setLeft(pixelsToTwips(r.left, hosted.dpi));
                form->setTop(pixelsToTwips(r.top, hosted.dpi));
                hosted.applied.box = PixelBox{r.left, r.top, r.left + hosted.applied.box->width(),
                                              r.top + hosted.applied.box->height()};
            }
            return 0;
        }
        case WM_CLOSE:
            if (!form->requestClose() && onCloseRequest) {
                onCloseRequest(*form);
            }
            return 0;
        case WM_QUERYENDSESSION:
            systemEvent(window, onSessionEnding);
            return TRUE;
        case WM_ENDSESSION:
            systemEvent(window, wp != 0 ? onSessionEnded : onSessionContinues);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wp, lp);
}

namespace {

// The messages that run the program's handlers; only these are events with an after-event step.
// Painting, placing and sizing messages are not: the after-event step itself sends them.
bool reachesHandlers(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_DROPFILES ||
           message == WM_CLOSE || message == WM_QUERYENDSESSION || message == WM_ENDSESSION ||
           message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE || message == WM_DPICHANGED ||
           message == WM_COMMAND || message == WM_CAPTURECHANGED || message >= WM_APP;
}

}  // namespace

LRESULT Win32WindowHost::dispatch(Hosted& hosted, UINT message, WPARAM wp, LPARAM lp) {
    if (dispatcher_ == nullptr || hosted.form == nullptr || !reachesHandlers(message)) {
        return handle(hosted, message, wp, lp);
    }
    return dispatcher_->dispatch([&] { return handle(hosted, message, wp, lp); });
}

LRESULT CALLBACK Win32WindowHost::windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
        auto* hosted = static_cast<Hosted*>(create->lpCreateParams);
        hosted->window.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hosted));
        return DefWindowProcW(window, message, wp, lp);
    }
    auto* hosted = reinterpret_cast<Hosted*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (hosted == nullptr) {
        return DefWindowProcW(window, message, wp, lp);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        hosted->tips.abandon();
        hosted->children.abandon();
        static_cast<void>(hosted->window.release());
        return DefWindowProcW(window, message, wp, lp);
    }
    if (message == kReapMessage) {
        if (hosted->form == nullptr && hosted->busy == 0) {
            hosted->host->reap();
        }
        return 0;
    }
    Win32WindowHost& host = *hosted->host;
    LRESULT result = 0;
    {
        const BusyScope busy(hosted->busy);
        try {
            result = host.dispatch(*hosted, message, wp, lp);
        } catch (...) {
            host.pendingFailure_ = std::current_exception();
        }
    }
    // A window whose form was unloaded by one of its own handlers (the settings window's
    // close box, the folder chooser's OK) had to outlive that handler. It goes with the next
    // message rather than now, because the control that reported the click may still be on
    // the stack, and rather than at whatever event comes next, which for an idle bar may be
    // none: the window would stay on the screen.
    if (hosted->form == nullptr && hosted->busy == 0) {
        PostMessageW(window, kReapMessage, 0, 0);
    }
    return result;
}

}  // namespace quorvel::platform::win32
