#include "platform/win32/key_map.h"

namespace quorvel::platform::win32 {

namespace {

struct KeyRow {
    UINT virtualKey;
    forms::Key key;
};

constexpr KeyRow kKeys[] = {
    {VK_LEFT, forms::Key::Left},     {VK_RIGHT, forms::Key::Right}, {VK_UP, forms::Key::Up},
    {VK_DOWN, forms::Key::Down},     {VK_HOME, forms::Key::Home},   {VK_END, forms::Key::End},
    {VK_RETURN, forms::Key::Enter},  {VK_SPACE, forms::Key::Space}, {VK_APPS, forms::Key::Menu},
    {VK_ESCAPE, forms::Key::Escape},
};

}  // namespace

std::optional<forms::KeyPress> keyPressOf(UINT virtualKey, HeldModifiers held) {
    if (virtualKey == VK_F10 && held.shift && !held.control && !held.alt) {
        return forms::KeyPress{forms::Key::Menu};
    }
    if (held.shift || held.control || held.alt) {
        return std::nullopt;
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        return forms::KeyPress{forms::Key::Digit, static_cast<int>(virtualKey - '0')};
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        return forms::KeyPress{forms::Key::Digit, static_cast<int>(virtualKey - VK_NUMPAD0)};
    }
    for (const KeyRow& row : kKeys) {
        if (row.virtualKey == virtualKey) {
            return forms::KeyPress{row.key};
        }
    }
    return std::nullopt;
}

HeldModifiers heldModifiers() {
    const auto down = [](int key) { return GetKeyState(key) < 0; };
    return HeldModifiers{down(VK_SHIFT), down(VK_CONTROL), down(VK_MENU)};
}

HotkeyCode hotkeyCodeOf(const forms::Hotkey& key) {
    // Held down, the combination reports once: no stream of repeats while it stays pressed.
    UINT modifiers = MOD_NOREPEAT;
    modifiers |= key.control ? MOD_CONTROL : 0U;
    modifiers |= key.alt ? MOD_ALT : 0U;
    modifiers |= key.shift ? MOD_SHIFT : 0U;
    return HotkeyCode{modifiers, static_cast<UINT>(static_cast<unsigned char>(key.letter))};
}

}  // namespace quorvel::platform::win32
