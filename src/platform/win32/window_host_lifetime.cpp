// The windows' classes, their making and destroying, and the window procedure every form's
// window shares.
#include "platform/win32/strconv.h"
#include "platform/win32/window_frame.h"
#include "platform/win32/window_host.h"

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
    const UINT dpi = GetDpiForWindow(window);
    return dpi == 0 ? kDesignDpi : static_cast<int>(dpi);
}

}  // namespace

Win32WindowHost::Win32WindowHost(HINSTANCE instance, FailureLog& failures)
    : instance_(instance), failures_(failures), ownerClass_(ownerClassOf(instance)) {
    if (!ownerClass_) {
        failures_.record("RegisterClassExW (owner)");
    }
}

Win32WindowHost::~Win32WindowHost() {
    for (auto& hosted : windows_) {
        hosted->formGone();
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
    if (!registered) {
        failures_.record("RegisterClassExW (" + formName + ")");
    }
    auto [it, added] =
        classes_.emplace(formName, std::make_pair(std::move(name), std::move(registered)));
    return it->second.first;
}

HWND Win32WindowHost::ownerFor(const HostedWindow& hosted) noexcept {
    // A dialog wants its own taskbar button, which the hidden owner would take away (Wine's
    // taskbar leaves every owned window out, whatever its styles say).
    return hosted.form != nullptr && hosted.form->style() == forms::FormStyle::Dialog
               ? nullptr
               : hosted.owner.get();
}

HWND Win32WindowHost::realise(HostedWindow& hosted) {
    if (hosted.window || hosted.form == nullptr) {
        return hosted.window.get();
    }
    const forms::Form& form = *hosted.form;
    const std::wstring& className = classFor(form.name());
    const std::string text = windowTextOf(form);
    const std::wstring title = toWide(text);
    hosted.owner.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, title.c_str(), WS_POPUP, 0, 0,
                                       0, 0, nullptr, nullptr, instance_, nullptr));
    if (!hosted.owner) {
        failures_.record("CreateWindowExW (owner of " + form.name() + ")");
    }
    // Created hidden and empty; the sync places and shows it from the form. The window
    // procedure takes ownership of the handle when the window is created.
    // Only a window with somewhere to drop files (the bar's Recycle Bin) takes them: over the
    // others the pointer shows that a drop would do nothing.
    const DWORD accept = form.acceptsDrops() ? WS_EX_ACCEPTFILES : 0;
    // Layered (for its colour key) and transparent, a window lets the pointer through.
    const DWORD through = form.passesPointer() ? WS_EX_TRANSPARENT : 0;
    const FrameStyle frame = frameStyleOf(form.style());
    HWND window =
        CreateWindowExW(frame.exStyle | accept | through, className.c_str(), title.c_str(),
                        frame.style, 0, 0, 0, 0, ownerFor(hosted), nullptr, instance_, &hosted);
    if (window == nullptr) {
        failures_.record("CreateWindowExW (" + form.name() + ")");
        return nullptr;
    }
    hosted.applied.style = form.style();
    hosted.applied.text = text;
    // Only a request made after the window exists brings it forward; its first showing
    // decides by its look whether it takes the focus.
    hosted.applied.activation = form.activationSerial();
    hosted.applied.focusReturn = form.focusReturnSerial();
    if (form.style() == forms::FormStyle::Dialog && dialogIcon_ != 0) {
        setWindowIcon(window, instance_, dialogIcon_, failures_);
    }
    hosted.dpi = dpiOf(window);
    hosted.children.sync(window, form, hosted.dpi);
    // OLE and the drop target's registration (which starts a thread of its own) wait until the
    // window has been painted once: the first drop can only come once the window is seen.
    hosted.dropsAfterFirstPaint = form.acceptsDrops();
    return window;
}

void Win32WindowHost::takeDrops(HostedWindow& hosted) {
    hosted.dropsAfterFirstPaint = false;
    if (hosted.dropTarget || hosted.form == nullptr || !hosted.form->acceptsDrops()) {
        return;
    }
    HostedWindow* record = &hosted;
    const auto twips = [record](POINT p) {
        return forms::Point{pixelsToTwips(p.x, record->dpi), pixelsToTwips(p.y, record->dpi)};
    };
    DropTarget::Handlers handlers;
    handlers.effectAt = [this, record, twips](POINT p, const forms::DragData& data) {
        forms::DropEffect effect = forms::DropEffect::None;
        if (record->form != nullptr) {
            failures_.guard([&] { effect = record->form->dropEffectAt(twips(p), data); });
        }
        return effect;
    };
    handlers.dropped = [this, record, twips](POINT p, forms::DragData data) {
        failures_.guard([&] { record->drops.emplace_back(twips(p), std::move(data)); });
        failures_.check(PostMessageW(record->window.get(), kDroppedMessage, 0, 0),
                        "PostMessageW (drop)");
    };
    *hosted.dropTarget.put() = new DropTarget(hosted.window.get(), std::move(handlers));
    if (dropTargets_.add(hosted.window.get(), *hosted.dropTarget.get())) {
        hosted.dropTargets = &dropTargets_;
    }
}

void Win32WindowHost::reap() {
    std::vector<std::unique_ptr<HostedWindow>> gone;
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

LRESULT CALLBACK Win32WindowHost::windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
        auto* hosted = static_cast<HostedWindow*>(create->lpCreateParams);
        hosted->window.reset(window);
        setWindowLong(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hosted),
                      hosted->host->failures_);
        return DefWindowProcW(window, message, wp, lp);
    }
    auto* hosted = reinterpret_cast<HostedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (hosted == nullptr) {
        return DefWindowProcW(window, message, wp, lp);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        hosted->windowDestroyed();
        return DefWindowProcW(window, message, wp, lp);
    }
    Win32WindowHost& host = *hosted->host;
    if (message == kReapMessage) {
        if (hosted->form == nullptr && hosted->busy == 0) {
            host.reap();
        }
        return 0;
    }
    LRESULT result = 0;
    {
        const HostedWindow::Busy busy(*hosted);
        host.failures_.guard([&] { result = host.handle(*hosted, message, wp, lp); });
    }
    host.reapWhenFree(*hosted);
    return result;
}

void Win32WindowHost::reapWhenFree(HostedWindow& hosted) {
    // A window whose form was unloaded by one of its own handlers (the settings window's
    // close box, the folder chooser's OK) had to outlive that handler. It goes with the next
    // message rather than now, because the control that reported the click may still be on
    // the stack, and rather than at whatever event comes next, which for an idle bar may be
    // none: the window would stay on the screen.
    if (hosted.form == nullptr && hosted.busy == 0 && hosted.window) {
        failures_.check(PostMessageW(hosted.window.get(), kReapMessage, 0, 0),
                        "PostMessageW (reap)");
    }
}

}  // namespace quorvel::platform::win32
