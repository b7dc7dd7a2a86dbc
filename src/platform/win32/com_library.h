#pragma once

#include "platform/win32/failure_log.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32.h"
// clang-format off
#include <objbase.h>
// clang-format on

namespace quorvel::platform::win32 {

// COM for the user-interface thread, with the COM library loaded only when first needed. Most
// bars show nothing but built-in pictures; loading COM at start would slow every start and
// grow the process for a service that is then never used.
class ComLibrary {
public:
    explicit ComLibrary(FailureLog& failures);
    ~ComLibrary();
    ComLibrary(const ComLibrary&) = delete;
    ComLibrary& operator=(const ComLibrary&) = delete;

    [[nodiscard]] bool ok() const noexcept { return initialised_; }
    // CoCreateInstance of an in-process server (or the given contexts); fails when COM could not
    // be started.
    HRESULT createInstance(REFCLSID clsid, REFIID iid, void** out,
                           DWORD context = CLSCTX_INPROC_SERVER) const noexcept;

private:
    using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    using CoUninitializeFn = void(WINAPI*)();
    using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

    SystemLibrary ole32_;
    CoUninitializeFn uninitialize_ = nullptr;
    CoCreateInstanceFn createInstance_ = nullptr;
    bool initialised_ = false;
};

}  // namespace quorvel::platform::win32
