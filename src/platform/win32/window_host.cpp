// The window host as the forms see it, and the lookups from forms to their windows.
#include "platform/win32/window_host.h"

#include <algorithm>

#include "platform/win32/popup_menu.h"
#include "platform/win32/window_frame.h"

namespace quorvel::platform::win32 {

namespace {

// Where a form has no window yet.
int systemDpi() {
    const UINT dpi = GetDpiForSystem();
    return dpi == 0 ? kDesignDpi : static_cast<int>(dpi);
}

}  // namespace

void Win32WindowHost::formCreated(forms::Form& form) {
    // The real window is made when it is first needed, at the latest by the next sync, in the
    // order the forms were created: the bar is on screen before its popups cost anything.
    windows_.push_back(std::make_unique<HostedWindow>(*this, form, controlServices_));
}

void Win32WindowHost::formDestroyed(forms::Form& form) {
    for (auto& hosted : windows_) {
        if (hosted->form == &form) {
            hosted->formGone();
        }
    }
    reap();
}

forms::MenuItem* Win32WindowHost::popupMenu(forms::Form& owner, forms::MenuItem& menu,
                                            const std::optional<forms::Rect>& beside) {
    // What the handler changed so far (a window made, the bar stacked afresh) reaches the
    // screen before the menu does; done later, it would stack the bar over the open menu.
    sync();
    HWND window = windowOf(owner);
    if (window == nullptr) {
        return nullptr;
    }
    std::optional<PixelBox> item;
    if (beside) {
        item = toPixels(*beside, hostedOf(owner)->dpi);
    }
    return trackPopupMenu(window, menu, failures_, item);
}

forms::Size Win32WindowHost::windowSize(const forms::Form& form) {
    HostedWindow* hosted = hostedOf(form);
    const int dpi = hosted != nullptr && realise(*hosted) != nullptr ? hosted->dpi : systemDpi();
    const PixelBox box = windowBoxOf(form, dpi);
    return forms::Size{pixelsToTwips(box.width(), dpi), pixelsToTwips(box.height(), dpi)};
}

void Win32WindowHost::updateNow() {
    sync();
    for (const auto& hosted : windows_) {
        if (hosted->form != nullptr && hosted->window && hosted->form->visible()) {
            // The frame and menu bar too: a window that has just appeared has had no paint yet.
            failures_.check(
                RedrawWindow(hosted->window.get(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN),
                "RedrawWindow");
        }
    }
}

HostedWindow* Win32WindowHost::hostedOf(const forms::Form& form) const noexcept {
    for (const auto& hosted : windows_) {
        if (hosted->form == &form) {
            return hosted.get();
        }
    }
    return nullptr;
}

HWND Win32WindowHost::windowOf(const forms::Form& form) {
    HostedWindow* hosted = hostedOf(form);
    return hosted != nullptr ? realise(*hosted) : nullptr;
}

IDropTarget* Win32WindowHost::dropTargetOf(const forms::Form& form) {
    HostedWindow* hosted = hostedOf(form);
    if (hosted == nullptr || realise(*hosted) == nullptr) {
        return nullptr;
    }
    takeDrops(*hosted);  // asked for before the first paint
    return hosted->dropTarget.get();
}

HWND Win32WindowHost::windowOf(const forms::Control& control) {
    HostedWindow* hosted = hostedOf(control.owner());
    return hosted != nullptr && realise(*hosted) != nullptr ? hosted->children.windowOf(control)
                                                            : nullptr;
}

HWND Win32WindowHost::toolTipsOf(const forms::Form& form) {
    const HostedWindow* hosted = hostedOf(form);
    return hosted != nullptr ? hosted->tips.window() : nullptr;
}

HWND Win32WindowHost::mainWindow() {
    for (const auto& hosted : windows_) {
        if (hosted->form != nullptr) {
            return realise(*hosted);
        }
    }
    return nullptr;
}

bool Win32WindowHost::preTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || msg.hwnd == nullptr) {
        return false;
    }
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    const auto found = std::ranges::find_if(windows_, [root](const auto& hosted) {
        return hosted->form != nullptr && hosted->window.get() == root;
    });
    // The bar and its popups have no controls: their keys go on as before.
    if (found == windows_.end() || (*found)->children.empty()) {
        return false;
    }
    // The key runs the window's handlers, which may unload it and make or drop other windows
    // (a set switch restarts the bar): the window outlives the call, the list may change.
    HostedWindow& hosted = **found;
    bool handled = false;
    {
        const HostedWindow::Busy busy(hosted);
        handled = IsDialogMessageW(root, &msg) != FALSE;
        if (handled && hosted.form != nullptr) {
            hosted.children.showDefault();
        }
    }
    reapWhenFree(hosted);
    return handled;
}

void Win32WindowHost::onBroadcast(UINT message, std::function<void()> handler) {
    broadcasts_.emplace_back(message, std::move(handler));
}

}  // namespace quorvel::platform::win32
