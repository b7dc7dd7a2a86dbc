#include "platform/win32/child_controls.h"

#include <algorithm>
#include <utility>

// clang-format off
#include "platform/win32/win32.h"
#include <commctrl.h>
// clang-format on

#include "platform/win32/colors.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/control_adapters.h"

namespace quorvel::platform::win32 {

HWND ChildControls::windowOf(const forms::Control& control) const noexcept {
    for (const auto& child : children_) {
        if (&child->control() == &control) {
            return child->window();
        }
    }
    return nullptr;
}

ControlAdapter* ChildControls::find(HWND window) const noexcept {
    if (window == nullptr) {
        return nullptr;
    }
    for (const auto& child : children_) {
        if (child->window() == window) {
            return child.get();
        }
    }
    return nullptr;
}

void ChildControls::destroy() noexcept {
    children_.clear();
    tabOrder_.clear();
    lastFocus_ = nullptr;
}

void ChildControls::abandon() noexcept {
    for (auto& child : children_) {
        child->abandon();
    }
    destroy();
}

ControlAdapter* ChildControls::make(HWND parent, forms::Control& control) {
    const auto id = static_cast<ChildId>(static_cast<WORD>(ChildId::kFirst) + children_.size());
    std::unique_ptr<ControlAdapter> child = adapterFor(control, id, services_);
    if (!child) {
        return nullptr;  // painted, or no window at all
    }
    if (children_.empty()) {
        // The standard controls of the visual style the manifest asks for.
        loadCommonControls(ICC_STANDARD_CLASSES, *services_.failures);
        // Tab and Shift+Tab step through the controls of this window (IsDialogMessageW).
        const LONG_PTR ex = GetWindowLongPtrW(parent, GWL_EXSTYLE);
        setWindowLong(parent, GWL_EXSTYLE, ex | WS_EX_CONTROLPARENT, *services_.failures);
    }
    if (!child->create(parent)) {
        return nullptr;
    }
    children_.push_back(std::move(child));
    return children_.back().get();
}

void ChildControls::sync(HWND parent, const forms::Form& form, int dpi) {
    if (revision_ == form.revision() && dpi_ == dpi) {
        return;
    }
    bool made = false;
    for (const auto& control : form.controls()) {
        if (windowOf(*control) == nullptr) {
            made = make(parent, *control) != nullptr || made;
        }
    }
    for (auto& child : children_) {
        child->apply(dpi);
    }
    if (made || revision_ != form.revision()) {
        orderTabs();
    }
    showDefault();
    revision_ = form.revision();
    dpi_ = dpi;
}

void ChildControls::showDefault() {
    const ControlAdapter* focused = find(GetFocus());
    if (focused != nullptr && !focused->takesEnterWhenFocused()) {
        focused = nullptr;
    }
    for (auto& child : children_) {
        child->showDefault(focused);
    }
}

void ChildControls::orderTabs() {
    // Tab and Shift+Tab follow the children's z-order; the model numbers the Tab order.
    std::vector<const ControlAdapter*> order;
    order.reserve(children_.size());
    for (const auto& child : children_) {
        order.push_back(child.get());
    }
    std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
        return a->control().tabIndex() < b->control().tabIndex();
    });
    std::vector<HWND> windows;
    windows.reserve(order.size());
    for (const ControlAdapter* child : order) {
        windows.push_back(child->window());
    }
    if (windows == tabOrder_) {
        return;
    }
    HWND after = HWND_TOP;
    for (HWND window : windows) {
        services_.failures->check(
            SetWindowPos(window, after, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER),
            "SetWindowPos (Tab order)");
        after = window;
    }
    tabOrder_ = std::move(windows);
}

void ChildControls::showInput(ControlAdapter& child) {
    if (!formGone_) {
        child.apply(dpi_);
    }
}

void ChildControls::enter(forms::Form& form) {
    // The focused control may take Enter itself (a list box activates its item); else the
    // form's default button is pressed, if it has one.
    if (ControlAdapter* focused = find(GetFocus()); focused != nullptr && focused->enter()) {
        showInput(*focused);
        return;
    }
    form.enterKey();
}

bool ChildControls::command(forms::Form& form, WPARAM wp, LPARAM lp) {
    const auto id = static_cast<ChildId>(LOWORD(wp));
    const UINT code = HIWORD(wp);
    HWND from = reinterpret_cast<HWND>(lp);
    if (from == nullptr) {
        // The dialog manager's Enter and Escape come without a control.
        if (id == ChildId::kEnter) {
            enter(form);
            return true;
        }
        if (id == ChildId::kEscape) {
            form.escapeKey();
            return true;
        }
        return false;
    }
    ControlAdapter* child = find(from);
    if (child == nullptr || child->id() != id) {
        return false;
    }
    if (child->isFocusNotice(code)) {
        showDefault();
    }
    if (child->command(code)) {
        showInput(*child);
    }
    return true;
}

LRESULT ChildControls::controlColor(const forms::Form& form, UINT message, HDC dc, HWND from) {
    if (ControlAdapter* child = find(from); child != nullptr) {
        if (const std::optional<LRESULT> own = child->color(dc)) {
            return *own;
        }
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkColor(dc, toColorRef(form.backColor()));
    return reinterpret_cast<LRESULT>(services_.brushes->of(form.backColor()));
}

void ChildControls::windowDeactivated(HWND parent) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(parent, focus) != FALSE) {
        lastFocus_ = focus;
    }
}

void ChildControls::windowFocused(HWND parent) {
    if (children_.empty()) {
        return;
    }
    HWND target = find(lastFocus_) != nullptr ? lastFocus_ : nullptr;
    if (target == nullptr || IsWindowVisible(target) == FALSE || IsWindowEnabled(target) == FALSE) {
        target = GetNextDlgTabItem(parent, nullptr, FALSE);
    }
    if (target != nullptr) {
        SetFocus(target);
    }
}

}  // namespace quorvel::platform::win32
