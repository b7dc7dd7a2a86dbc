#pragma once

#include <optional>

#include "forms/keys.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// Which modifier keys were held with a key.
struct HeldModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The key a WM_KEYDOWN or WM_SYSKEYDOWN stands for, or none when the program does nothing with
// it. Keys held with Control or Alt are left alone (they are other programs' shortcuts, and
// Alt+F4 closes the window as before), except Shift+F10, which asks for the menu as the menu
// key does; digits count from the top row and the number pad alike.
[[nodiscard]] std::optional<forms::KeyPress> keyPressOf(UINT virtualKey, HeldModifiers held);
// The modifiers held now, as the thread's input saw them with the message being handled.
[[nodiscard]] HeldModifiers heldModifiers();

// A global key combination as RegisterHotKey takes it.
struct HotkeyCode {
    UINT modifiers;
    UINT virtualKey;
};
[[nodiscard]] HotkeyCode hotkeyCodeOf(const forms::Hotkey& key);

}  // namespace quorvel::platform::win32
