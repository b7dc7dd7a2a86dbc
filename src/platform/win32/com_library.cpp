#include "platform/win32/com_library.h"

namespace quorvel::platform::win32 {

namespace {

template <class Fn>
Fn procedure(HMODULE module, const char* name) noexcept {
    // Through the generic function pointer type, which converts to any other without a
    // signature mismatch warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

ComLibrary::ComLibrary() noexcept
    : module_(LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    if (module_ == nullptr) {
        return;
    }
    auto initialize = procedure<CoInitializeExFn>(module_, "CoInitializeEx");
    uninitialize_ = procedure<CoUninitializeFn>(module_, "CoUninitialize");
    createInstance_ = procedure<CoCreateInstanceFn>(module_, "CoCreateInstance");
    if (initialize == nullptr || uninitialize_ == nullptr || createInstance_ == nullptr) {
        return;
    }
    initialised_ =
        SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ComLibrary::~ComLibrary() {
    if (initialised_) {
        uninitialize_();
    }
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

HRESULT ComLibrary::createInstance(REFCLSID clsid, REFIID iid, void** out,
                                   DWORD context) const noexcept {
    if (!initialised_) {
        return CO_E_NOTINITIALIZED;
    }
    return createInstance_(clsid, nullptr, context, iid, out);
}

}  // namespace quorvel::platform::win32
