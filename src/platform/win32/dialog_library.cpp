#include "platform/win32/dialog_library.h"

namespace quorvel::platform::win32 {

bool DialogLibrary::load() {
    if (!resolved_) {
        resolved_ = true;
        getOpenFileName_ = comdlg32_.function<GetOpenFileNameFn>("GetOpenFileNameW");
        chooseFont_ = comdlg32_.function<ChooseFontFn>("ChooseFontW");
        chooseColor_ = comdlg32_.function<ChooseColorFn>("ChooseColorW");
    }
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
