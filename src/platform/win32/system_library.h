#pragma once

#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// A library of the system folder and its functions: the one way the program loads a library
// while it runs. Nothing is loaded until the first function is asked for (or load() is called),
// so a library can stand ready as a member and cost nothing on a run that never uses it. It is
// loaded from the system folder only (LOAD_LIBRARY_SEARCH_SYSTEM32, which holds for what it
// imports too), so a DLL planted beside the program or in the working folder never runs; a
// library that cannot be loaded and a function it lacks are noted in the failure log.
class SystemLibrary {
public:
    // Once loaded, the library stays for the life of the process whatever becomes of this
    // object: the window classes it registered outlive every window that uses them.
    enum class Lifetime { Object, Process };

    SystemLibrary(const wchar_t* file, FailureLog& failures,
                  Lifetime lifetime = Lifetime::Object) noexcept
        : file_(file), failures_(failures), lifetime_(lifetime) {}

    // Loads the library if it is not yet loaded; tried once.
    bool load();
    [[nodiscard]] bool loaded() const noexcept { return static_cast<bool>(module_); }
    // Why the library, or the last function asked for, cannot be had (0 when it can).
    [[nodiscard]] DWORD error() const noexcept { return error_; }

    // A function of the library, loading the library first; null when either is missing.
    template <class Function>
    [[nodiscard]] Function function(const char* name) {
        // Through the generic function pointer type, which converts to any other without a
        // signature mismatch warning.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address(name, true)));
    }
    // A function only some systems have (Wine's own): null, and nothing noted, where it is not.
    template <class Function>
    [[nodiscard]] Function optionalFunction(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address(name, false)));
    }

private:
    FARPROC address(const char* name, bool required);

    const wchar_t* file_;
    FailureLog& failures_;
    Lifetime lifetime_;
    UniqueLibrary module_;
    bool tried_ = false;
    DWORD error_ = 0;
};

}  // namespace quorvel::platform::win32
