#pragma once

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// The messages the window host posts to its own windows, numbered in one place: two of them
// with one number would reach the handler of whichever the host looks up first.
enum HostMessage : UINT {
    kReapMessage = WM_APP + 0x100,              // a gone window leaves the list
    kAccessibleActionMessage = WM_APP + 0x101,  // a screen reader's default action on an item
    kDroppedMessage = WM_APP + 0x102,           // a drop the drop target took, to be handed on
    kTakeDropsMessage = WM_APP + 0x103,         // the window's first paint is done
};

// The host's own timer on each of its windows: it fires once a window has not been painted for
// kPaintBufferRestMs, and the window gives back its paint buffer (the next paint makes another).
// A settings window at rest so holds no picture of itself, and the bar none of its width.
inline constexpr UINT_PTR kPaintBufferTimer = 1;
inline constexpr UINT kPaintBufferRestMs = 1000;

}  // namespace quorvel::platform::win32
