#pragma once

#include <optional>
#include <string>

namespace quorvel::platform {

// Who is running the program and where. All text is UTF-8.
class Identity {
public:
    virtual ~Identity() = default;
    // The logon name, cut at its first NUL; nullopt when the system cannot tell.
    [[nodiscard]] virtual std::optional<std::string> userName() = 0;
    // The user's documents folder; empty when the system cannot tell.
    [[nodiscard]] virtual std::string documentsFolder() = 0;
    // The process's current directory (not the program's folder).
    [[nodiscard]] virtual std::string currentDirectory() = 0;
};

}  // namespace quorvel::platform
