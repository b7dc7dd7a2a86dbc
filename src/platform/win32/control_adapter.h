#pragma once

#include <optional>

#include "forms/font.h"
#include "forms/native_control.h"
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
class ChildClasses;
struct ControlServices {
    HINSTANCE instance = nullptr;
    UiFont* font = nullptr;
    BrushCache* brushes = nullptr;
    FailureLog* failures = nullptr;
    ChildClasses* classes = nullptr;
};

// The window class and styles a kind of control is made with. Hidden at first: the first sync
// shows what the form shows.
struct ChildClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};
inline constexpr DWORD kChildStyle = WS_CHILD | WS_TABSTOP;

// One real control of a form as a child window of the form's window. The adapter of each kind
// (edit_adapter.h, drop_down_list_adapter.h, list_box_adapter.h, button_adapter.h) says how the
// kind is made, how the model's state reaches the window, what its notifications mean to the
// model and how it is coloured; what every kind shares (place, font, enabled, visible) is here.
class ControlAdapter {
public:
    ControlAdapter(forms::NativeControl& control, ChildId id, const ControlServices& services)
        : control_(control), id_(id), services_(services) {}
    virtual ~ControlAdapter() = default;
    ControlAdapter(const ControlAdapter&) = delete;
    ControlAdapter& operator=(const ControlAdapter&) = delete;

    // Makes the child window; false (noted in the failure log) when the system would not.
    bool create(HWND parent);
    // Brings the window in line with the model.
    void apply(int dpi);
    // A notification (WM_COMMAND's code) from the window. True when it was the person's doing
    // and the model has been told; an echo of the host's own writing is not.
    virtual bool command(UINT code) = 0;
    // Whether a notification says that the control got the keyboard focus.
    [[nodiscard]] virtual bool isFocusNotice(UINT code) const = 0;
    // WM_CTLCOLOR* for the control, when its kind paints in colours of its own.
    [[nodiscard]] virtual std::optional<LRESULT> color(HDC /*dc*/) { return std::nullopt; }
    // Enter while the control has the focus; false leaves it to the form's default button.
    virtual bool enter() { return false; }
    // A push button with the focus is pressed by Enter and then looks like the default one;
    // `focusedButton` is the one that has the focus, or null.
    [[nodiscard]] virtual bool takesEnterWhenFocused() const { return false; }
    virtual void showDefault(const ControlAdapter* /*focusedButton*/) {}

    [[nodiscard]] forms::NativeControl& control() const noexcept { return control_; }
    [[nodiscard]] ChildId id() const noexcept { return id_; }
    [[nodiscard]] HWND window() const noexcept { return window_.get(); }
    // The parent was destroyed by the system, and this window with it.
    void abandon() noexcept { static_cast<void>(window_.release()); }

protected:
    [[nodiscard]] virtual ChildClass childClass() const = 0;
    // The kind's own state: text, items, selection, colours.
    virtual void applyState() = 0;
    // A typeface of the control's own, instead of the dialog font every control shares.
    [[nodiscard]] virtual std::optional<forms::Font> ownFont() const { return std::nullopt; }
    // The window's rectangle for the control's rectangle in pixels.
    [[nodiscard]] virtual PixelBox windowBox(PixelBox control) const { return control; }

    [[nodiscard]] FailureLog& failures() const noexcept { return *services_.failures; }
    [[nodiscard]] const ControlServices& services() const noexcept { return services_; }
    // The window goes to its place again at the next apply (its rectangle depends on more).
    void placeAgain() noexcept { box_.reset(); }

    // The host writing into the control, for as long as the scope lasts: what the control
    // reports of it (an edit box's EN_CHANGE) is no input.
    class Writing {
    public:
        explicit Writing(ControlAdapter& adapter) noexcept
            : writing_(adapter.writing_), was_(adapter.writing_) {
            writing_ = true;
        }
        ~Writing() { writing_ = was_; }
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;

    private:
        bool& writing_;
        bool was_;
    };
    [[nodiscard]] bool writing() const noexcept { return writing_; }

private:
    void applyFont(int dpi);
    void place(int dpi);

    forms::NativeControl& control_;
    ChildId id_;
    ControlServices services_;
    // A typeface of the control's own; it outlives the window that uses it.
    UniqueFont font_;
    UniqueWindow window_;
    std::optional<PixelBox> box_;
    int fontDpi_ = 0;
    std::optional<forms::Font> ownFont_;
    std::optional<bool> enabled_;
    std::optional<bool> visible_;
    bool writing_ = false;
};

}  // namespace quorvel::platform::win32
