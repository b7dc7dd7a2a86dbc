#pragma once

#include <string_view>

#include "platform/result.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// The system's own words for an error code, in the user's language, as an Error a message box
// can show ("Windows error N" when the system has no words for it).
[[nodiscard]] Error win32Error(DWORD code);
// The calling thread's last error.
[[nodiscard]] Error lastError();
// A COM result; the words of a Win32 error wrapped in it are found too.
[[nodiscard]] Error comError(HRESULT result);

}  // namespace quorvel::platform::win32
