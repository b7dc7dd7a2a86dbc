#pragma once

#include <cstdint>
#include <optional>

#include "forms/geometry.h"

namespace quorvel::platform {

// A rectangle in pixels, as the shell reports the taskbar.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

using WindowHandle = std::uintptr_t;  // 0 = none

enum class ShowState : int { Hide = 0, Normal = 1 };

// The primary screen and the system taskbar.
class Screen {
public:
    virtual ~Screen() = default;
    [[nodiscard]] virtual forms::Twips widthTwips() = 0;
    [[nodiscard]] virtual forms::Twips heightTwips() = 0;
    // The taskbar's top-level window (class "Shell_TrayWnd"), looked up afresh; 0 if none.
    [[nodiscard]] virtual WindowHandle findTaskbar() = 0;
    virtual void showWindow(WindowHandle window, ShowState state) = 0;
    // The shell's answer to "where is the taskbar"; nullopt when it does not answer.
    [[nodiscard]] virtual std::optional<PixelRect> taskbarRect() = 0;
};

}  // namespace quorvel::platform
