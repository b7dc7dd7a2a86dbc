#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "forms/geometry.h"

namespace quorvel::platform {

// A rectangle in pixels, as the shell reports the taskbar.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

using WindowHandle = std::uintptr_t;  // 0 = none

enum class ShowState : int { Hide = 0, Normal = 1 };

// The primary screen and the shell's taskbars.
class Screen {
public:
    virtual ~Screen() = default;
    // The primary monitor, in twips at its own scale, where the system puts it among the others.
    [[nodiscard]] virtual forms::Rect bounds() = 0;
    // Every taskbar window the shell shows, looked up afresh: the primary monitor's (class
    // "Shell_TrayWnd") first, then those of the other monitors ("Shell_SecondaryTrayWnd").
    // Empty when the shell has none.
    [[nodiscard]] virtual std::vector<WindowHandle> findTaskbars() = 0;
    virtual void showWindow(WindowHandle window, ShowState state) = 0;
    // Where the shell says the primary taskbar is, in pixels of 15 twips in the coordinates of
    // bounds(); nullopt when it does not answer.
    [[nodiscard]] virtual std::optional<PixelRect> taskbarRect() = 0;
};

}  // namespace quorvel::platform
