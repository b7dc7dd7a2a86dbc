#include "platform/win32/single_instance.h"

#include <string>

namespace quorvel::platform::win32 {

namespace {
std::wstring mutexName() {
    std::wstring name = L"Local\\Quorvel.Bar";
    wchar_t user[UNLEN + 1] = {};
    DWORD size = UNLEN + 1;
    // Two users sharing a session (run as another user) each keep their own bar and files.
    if (GetUserNameW(user, &size) != 0) {
        user[UNLEN] = L'\0';
        name += L'.';
        name += user;
    }
    return name;
}
}  // namespace

bool Win32SingleInstance::claim() {
    if (mutex_) {
        return true;
    }
    mutex_.reset(CreateMutexW(nullptr, FALSE, mutexName().c_str()));
    const DWORD error = GetLastError();
    if (!mutex_) {
        // A mutex we may not open belongs to a running instance of a more privileged token.
        return error != ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        mutex_.reset();
        return false;
    }
    return true;
}

}  // namespace quorvel::platform::win32
