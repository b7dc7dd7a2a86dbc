#pragma once

#include <string>

#include "forms/form.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/units.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// The window styles of a form's look.
//  * Borderless (the bar and its popups): a bare popup, a tool window that never shows on the
//    taskbar.
//  * Dialog (the settings window and the small windows a person works in): a title bar with the
//    form's caption and a close box, no sizing border, and a taskbar button of its own, so the
//    window can be found again behind other programs.
struct FrameStyle {
    DWORD style = 0;
    DWORD exStyle = 0;
};

[[nodiscard]] FrameStyle frameStyleOf(forms::FormStyle look) noexcept;

// Where the window goes, in pixels. Left and top place the window's outer corner; a dialog's
// width and height are its client area, so its controls fit whatever the title bar (and a menu
// bar) cost.
[[nodiscard]] PixelBox windowBoxOf(const forms::Form& form, int dpi);

// The window's text: a dialog's caption, otherwise the form's name (which tools look it up by).
[[nodiscard]] std::string windowTextOf(const forms::Form& form);

// Gives a window that exists the styles of another look; a colour key's layered style stays.
void applyFrameStyle(HWND window, forms::FormStyle look, FailureLog& failures);

// An icon of the module's resources on the window's title bar and taskbar button.
void setWindowIcon(HWND window, HINSTANCE instance, WORD resourceId, FailureLog& failures);

}  // namespace quorvel::platform::win32
