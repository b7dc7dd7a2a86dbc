#include "platform/win32/accessibility_library.h"

#include <string>

#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

LRESULT AccessibilityLibrary::resultFor(IAccessible* object, WPARAM wp) {
    // The object is handed out as a marshalled reference, which needs an apartment on this
    // thread; without one, oleacc answers with an error and the screen reader hears nothing.
    if (!com_) {
        com_.emplace(failures_);
    }
    if (!com_->ok()) {
        return CO_E_NOTINITIALIZED;
    }
    const auto lresultFromObject = oleacc_.function<LresultFromObjectFn>("LresultFromObject");
    // By the compiler's own constant: where oleacc's import library is linked as well (the unit
    // tests), the IID_IAccessible symbol can resolve to an import thunk instead of the GUID.
    return lresultFromObject != nullptr ? lresultFromObject(__uuidof(IAccessible), wp, object) : 0;
}

HRESULT AccessibilityLibrary::standardObject(HWND window, LONG part, REFIID iid, void** out) {
    *out = nullptr;
    const auto create = oleacc_.function<CreateStdAccessibleObjectFn>("CreateStdAccessibleObject");
    return create != nullptr ? create(window, part, iid, out) : E_FAIL;
}

BSTR AccessibilityLibrary::string(std::string_view utf8) {
    const auto allocate = oleaut32_.function<SysAllocStringLenFn>("SysAllocStringLen");
    if (allocate == nullptr) {
        return nullptr;
    }
    const std::wstring wide = toWide(utf8);
    return allocate(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace quorvel::platform::win32
