#pragma once

#include "platform/PhysicalKey.h"

#include <cstdint>

class QKeyEvent;

namespace vemo {

// The key's place on the keyboard: from its XKB keycode on xcb and Wayland (the evdev code + 8),
// else from the key it names as a US layout would (other platforms, synthetic events).
PhysicalKey physicalKeyOf(const QKeyEvent& event);

// The event's Shift and Ctrl as Modifier bits; Alt or Meta add Modifier::Other.
std::int32_t modifierBitsOf(const QKeyEvent& event);

} // namespace vemo
