#pragma once

namespace quorvel::platform::win32 {

// The program runs from a folder its user can write to. Every library loaded while it runs,
// by the program itself or by a system component on its behalf (the common controls, the
// dialogs' shell extensions' helpers, the picture decoders), comes from the system folder: a
// DLL planted beside the program, or in the current directory, is never loaded. Called first
// thing, before any library is loaded; false when the system refused.
bool restrictLibrarySearch() noexcept;

}  // namespace quorvel::platform::win32
