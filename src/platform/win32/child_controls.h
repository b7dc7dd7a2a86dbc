#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "platform/win32/brush_cache.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {

// Command ids of a window's real controls. Enter and Escape reach the window as the commands
// IDOK and IDCANCEL, and message boxes use ids up to IDCONTINUE (11): the controls number from
// kFirst upwards in the order they were made, far from all of those.
enum class ChildId : WORD {
    kEnter = IDOK,
    kEscape = IDCANCEL,
    kFirst = 1000,
};

// What the real controls of every window share.
struct ControlServices {
    HINSTANCE instance = nullptr;
    UiFont* font = nullptr;
    BrushCache* brushes = nullptr;
    FailureLog* failures = nullptr;
};

// The text boxes, drop-down lists, list boxes and push buttons of one form, realised as real
// child windows of the form's window (EDIT, COMBOBOX, LISTBOX, BUTTON). After every event the
// host brings them in line with the model; what a person does with them comes back through
// WM_COMMAND into the same entry points the tests call (typeText, choose, activate, press,
// enterKey, escapeKey), each action exactly once.
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
    // the form's colour; edit fields and lists on the system's window colour; a text box the
    // program has coloured in its own colours.
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

    // Destroys the children; the parent is destroyed next.
    void destroy() noexcept;
    // The parent was destroyed by the system, and its children with it.
    void abandon() noexcept;

private:
    struct Applied {
        std::optional<PixelBox> box;
        int fontDpi = 0;
        std::optional<forms::Font> font;  // a button's own typeface, as last applied
        std::optional<bool> visible;
        std::optional<bool> enabled;
        std::optional<bool> readOnly;
        std::optional<std::size_t> maxLength;
        std::optional<std::string> text;  // a text box's text, a button's caption
        std::optional<std::vector<std::string>> items;
        std::optional<int> listIndex;
        std::optional<std::pair<forms::ColorNumber, forms::ColorNumber>> colours;  // back, fore
    };
    struct Child {
        forms::NativeControl* control = nullptr;
        ChildId id = ChildId::kFirst;
        // A typeface of the control's own (else the shared dialog font); it outlives the
        // window that uses it.
        UniqueFont font;
        UniqueWindow window;
        Applied applied;
    };

    Child* make(HWND parent, forms::NativeControl& control);
    void apply(Child& child, int dpi);
    void applyFont(Child& child, int dpi);
    void applyText(Child& child, const std::string& text);
    void applyList(Child& child, const forms::ListControl& list, bool isCombo);
    void place(Child& child, int dpi);
    void orderTabs();
    [[nodiscard]] Child* find(HWND window) noexcept;
    bool enter(forms::Form& form);

    ControlServices services_;
    std::vector<Child> children_;
    std::vector<HWND> tabOrder_;  // the z-order last given to the children
    std::optional<std::uint64_t> revision_;
    int dpi_ = 0;
    bool writing_ = false;  // the host itself is writing into a control: its echo is no input
    HWND lastFocus_ = nullptr;
};

}  // namespace quorvel::platform::win32
