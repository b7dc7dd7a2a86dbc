#pragma once

#include <string>

namespace quorvel::platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Modal things the user answers. Message boxes have no icon and the program's title; lines
// are separated by a carriage return.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer messageBox(const std::string& text, MessageButtons buttons) = 0;
};

}  // namespace quorvel::platform
