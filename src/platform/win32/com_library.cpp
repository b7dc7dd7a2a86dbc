#include "platform/win32/com_library.h"

namespace quorvel::platform::win32 {

ComLibrary::ComLibrary(FailureLog& failures) : ole32_(L"ole32.dll", failures) {
    const auto initialize = ole32_.function<CoInitializeExFn>("CoInitializeEx");
    uninitialize_ = ole32_.function<CoUninitializeFn>("CoUninitialize");
    createInstance_ = ole32_.function<CoCreateInstanceFn>("CoCreateInstance");
    if (initialize == nullptr || uninitialize_ == nullptr || createInstance_ == nullptr) {
        return;
    }
    const HRESULT started = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    initialised_ = SUCCEEDED(started);
    if (!initialised_) {
        failures.record("CoInitializeEx", static_cast<DWORD>(started));
    }
}

ComLibrary::~ComLibrary() {
    if (initialised_) {
        uninitialize_();
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
