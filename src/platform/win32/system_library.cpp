#include "platform/win32/system_library.h"

#include <string>

#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

bool SystemLibrary::load() {
    if (tried_) {
        return loaded();
    }
    tried_ = true;
    module_.reset(LoadLibraryExW(file_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!module_) {
        error_ = GetLastError();
        failures_.record("LoadLibraryExW (" + toUtf8(file_) + ")", error_);
        return false;
    }
    if (lifetime_ == Lifetime::Process) {
        HMODULE pinned = nullptr;
        failures_.check(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, file_, &pinned),
                        "GetModuleHandleExW (" + toUtf8(file_) + ")");
    }
    return true;
}

FARPROC SystemLibrary::address(const char* name, bool required) {
    if (!load()) {
        return nullptr;
    }
    FARPROC found = GetProcAddress(module_.get(), name);
    if (found == nullptr && required) {
        error_ = GetLastError();
        failures_.record("GetProcAddress (" + toUtf8(file_) + " " + name + ")", error_);
    }
    return found;
}

}  // namespace quorvel::platform::win32
