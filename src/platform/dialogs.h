#pragma once

#include <optional>
#include <string>

#include "forms/geometry.h"

namespace quorvel::platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// What the file-open dialog is asked to show.
struct OpenFileRequest {
    // Pairs of a description and its pattern, each followed by '|':
    // "アイコン (*.ico)|*.ico|すべてのファイル (*.*)|*.*|".
    std::string filter;
    int filterIndex = 1;  // the pair selected first, counting from 1
    // The folder it opens in: a path, or a shell namespace path such as My Computer's
    // "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}".
    std::string initialFolder;
    bool hideReadOnly = true;  // no "open as read-only" box
};

// What the font dialog starts on, and what the person chose in it.
struct FontChoice {
    std::string name;
    int sizePt = 9;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// Modal things the user answers. Message boxes have no icon and the program's title; lines
// are separated by a carriage return. The choosers answer nothing (nullopt) when the person
// cancelled and also when the dialog could not be shown at all: neither is a choice.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer messageBox(const std::string& text, MessageButtons buttons) = 0;
    // The chosen file's full path.
    virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
    // The dialog lists the fonts installed for the screen, starting on `preset`.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& preset) = 0;
    // Starts on `initial` (a system colour number is shown as the colour it stands for); the
    // answer is a plain colour number, &HBBGGRR.
    virtual std::optional<forms::ColorNumber> chooseColor(forms::ColorNumber initial) = 0;
    // The system's default sound.
    virtual void beep() = 0;
};

}  // namespace quorvel::platform
