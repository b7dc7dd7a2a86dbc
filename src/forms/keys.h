#pragma once

namespace quorvel::forms {

// The keys a window of the program acts on, as the host reports them. The menu key stands for
// the keyboard's menu (application) key and for Shift+F10, which ask for the same thing.
enum class Key { Left, Right, Up, Down, Home, End, Enter, Space, Menu, Escape, Digit };

struct KeyPress {
    Key key = Key::Enter;
    int digit = 0;  // 0..9, for Key::Digit (the top row and the number pad alike)
    friend bool operator==(const KeyPress&, const KeyPress&) = default;
};

// A key combination the system reports to the program wherever the keyboard is, while the
// program holds it.
struct Hotkey {
    bool control = false;
    bool alt = false;
    bool shift = false;
    char letter = 'A';  // 'A'..'Z'
    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

}  // namespace quorvel::forms
