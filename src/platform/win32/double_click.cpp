#include "platform/win32/double_click.h"

#include "platform/win32/units.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

forms::DoubleClickLimits systemDoubleClickLimits() noexcept {
    // The rectangle is kept in pixels of the system's DPI; a twip is the same length at any DPI.
    const UINT system = GetDpiForSystem();
    const int dpi = system == 0 ? kDesignDpi : static_cast<int>(system);
    const auto twips = [dpi](int metric) {
        return pixelsToTwips(GetSystemMetricsForDpi(metric, static_cast<UINT>(dpi)), dpi);
    };
    return forms::DoubleClickLimits{GetDoubleClickTime(),
                                    {twips(SM_CXDOUBLECLK), twips(SM_CYDOUBLECLK)}};
}

}  // namespace quorvel::platform::win32
