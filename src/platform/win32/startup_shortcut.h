#pragma once

#include <string>

#include "platform/result.h"
#include "platform/win32/com_library.h"

namespace quorvel::platform::win32 {

// The shortcut in the user's Startup folder that starts the bar at sign-in: Quorvel.lnk. Empty
// when the system names no Startup folder.
[[nodiscard]] std::wstring startupShortcutPath();

// Writes a shortcut (replacing one already there) to `target`, started in `workingFolder`,
// through the shell's own shortcut object.
Status writeShortcut(const ComLibrary& com, const std::wstring& shortcut,
                     const std::wstring& target, const std::wstring& workingFolder);

// This program's own file, by its full path.
[[nodiscard]] std::wstring ownProgramPath();

}  // namespace quorvel::platform::win32
