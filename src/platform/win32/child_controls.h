#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "forms/form.h"
#include "platform/win32/control_adapter.h"

namespace quorvel::platform::win32 {

// The text boxes, drop-down lists, list boxes and push buttons of one form, realised as real
// child windows of the form's window, each through the adapter of its kind (control_adapters.h).
// After every event the host brings them in line with the model; what a person does with them
// comes back through WM_COMMAND into the same entry points the tests call (typeText, choose,
// activate, press, enterKey, escapeKey), each action exactly once, and the control then shows
// at once what the model made of it.
class ChildControls {
public:
    explicit ChildControls(ControlServices services) noexcept : services_(services) {}
    ~ChildControls() { destroy(); }
    ChildControls(const ChildControls&) = delete;
    ChildControls& operator=(const ChildControls&) = delete;

    // Makes a child for every real control that has none yet (controls added since included),
    // then brings each one's place, font, visibility, state and Tab order in line with the form.
    void sync(HWND parent, const forms::Form& form, int dpi);

    // A WM_COMMAND of the form's window. True when it came from one of the controls or was
    // Enter or Escape; the model has then been told.
    bool command(forms::Form& form, WPARAM wp, LPARAM lp);

    // WM_CTLCOLOR*: read-only and disabled controls and the area around buttons are painted on
    // the form's colour; edit fields and lists on the system's window colour; a kind with
    // colours of its own in those.
    [[nodiscard]] LRESULT controlColor(const forms::Form& form, UINT message, HDC dc, HWND from);

    // The dialog manager's focus handling for a window that is not a dialog: the control that
    // had the focus when the window was left gets it back, or the first in the Tab order.
    void windowDeactivated(HWND parent);
    void windowFocused(HWND parent);
    // The focused push button looks like the default one, and Enter presses it; with the focus
    // elsewhere the form's default button does. The dialog manager changes the buttons' looks
    // as the focus moves; this puts them right again.
    void showDefault();

    [[nodiscard]] bool empty() const noexcept { return children_.empty(); }
    // The control's child window, or null when it has none (yet).
    [[nodiscard]] HWND windowOf(const forms::Control& control) const noexcept;

    // The form is gone (unloaded, perhaps by a handler of one of these controls): the children
    // stay until the window goes, but nothing may reach the model any more.
    void formGone() noexcept { formGone_ = true; }
    // Destroys the children; the parent is destroyed next.
    void destroy() noexcept;
    // The parent was destroyed by the system, and its children with it.
    void abandon() noexcept;

private:
    ControlAdapter* make(HWND parent, forms::Control& control);
    void orderTabs();
    [[nodiscard]] ControlAdapter* find(HWND window) const noexcept;
    void enter(forms::Form& form);
    // After the model has taken a person's input, the control shows what it made of it.
    void showInput(ControlAdapter& child);

    ControlServices services_;
    std::vector<std::unique_ptr<ControlAdapter>> children_;
    std::vector<HWND> tabOrder_;  // the z-order last given to the children
    std::optional<std::uint64_t> revision_;
    int dpi_ = 0;
    HWND lastFocus_ = nullptr;
    bool formGone_ = false;
};

}  // namespace quorvel::platform::win32
