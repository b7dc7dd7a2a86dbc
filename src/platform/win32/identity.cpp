#include "platform/win32/identity.h"

#include <string>

#include "platform/win32/strconv.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

std::optional<std::string> Win32Identity::userName() {
    // Room for the longest logon name the system allows, so a long name is not a failure.
    wchar_t buffer[UNLEN + 1] = {};
    DWORD size = UNLEN + 1;
    if (GetUserNameW(buffer, &size) == 0) {
        return std::nullopt;
    }
    buffer[UNLEN] = L'\0';
    return toUtf8(buffer);  // cut at the first NUL
}

std::string Win32Identity::documentsFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
        return {};
    }
    buffer[MAX_PATH] = L'\0';
    return toUtf8(buffer);  // cut at the first NUL
}

std::string Win32Identity::currentDirectory() {
    // The directory can change between the two calls; ask again until the buffer fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD needed = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (needed == 0) {
            return {};
        }
        if (needed < buffer.size()) {
            buffer.resize(needed);
            return toUtf8(buffer);
        }
        buffer.assign(needed, L'\0');
    }
    return {};
}

}  // namespace quorvel::platform::win32
