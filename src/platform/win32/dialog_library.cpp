#include "platform/win32/dialog_library.h"

namespace quorvel::platform::win32 {

namespace {

template <class Fn>
Fn procedure(HMODULE module, const char* name) noexcept {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

bool DialogLibrary::load() noexcept {
    if (module_) {
        return getOpenFileName_ != nullptr && chooseFont_ != nullptr && chooseColor_ != nullptr;
    }
    module_.reset(LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!module_) {
        return false;
    }
    getOpenFileName_ = procedure<GetOpenFileNameFn>(module_.get(), "GetOpenFileNameW");
    chooseFont_ = procedure<ChooseFontFn>(module_.get(), "ChooseFontW");
    chooseColor_ = procedure<ChooseColorFn>(module_.get(), "ChooseColorW");
    return getOpenFileName_ != nullptr && chooseFont_ != nullptr && chooseColor_ != nullptr;
}

BOOL DialogLibrary::getOpenFileName(OPENFILENAMEW* request) const noexcept {
    return getOpenFileName_ != nullptr ? getOpenFileName_(request) : FALSE;
}

BOOL DialogLibrary::chooseFont(CHOOSEFONTW* request) const noexcept {
    return chooseFont_ != nullptr ? chooseFont_(request) : FALSE;
}

BOOL DialogLibrary::chooseColor(CHOOSECOLORW* request) const noexcept {
    return chooseColor_ != nullptr ? chooseColor_(request) : FALSE;
}

}  // namespace quorvel::platform::win32
