#pragma once

#include "platform/Image.h"

namespace vemo::colours {

constexpr Pixel ScrollBarBackground = rgb(0x44, 0x55, 0xAA);
constexpr Pixel MarkerOuter = rgb(0x55, 0x55, 0xFF);
constexpr Pixel MarkerInner = rgb(0x77, 0x77, 0xFF);
constexpr Pixel MarkerCentre = rgb(0xBB, 0xBB, 0xFF);
constexpr Pixel GridBackground = rgb(0x22, 0x33, 0xAA);
constexpr Pixel SelectionFill = rgb(0x44, 0x55, 0xEE);
constexpr Pixel SelectionLeftEdge = rgb(0x22, 0xFF, 0x22);
constexpr Pixel SelectionRightEdge = rgb(0xFF, 0x55, 0x55);
// White stands apart from the blue grid, the coloured notes and both selection edges.
constexpr Pixel PlaybackCursor = rgb(0xFF, 0xFF, 0xFF);
// Yellow: apart from the white playback line and the green and red selection edges.
constexpr Pixel EditCursor = rgb(0xFF, 0xD7, 0x00);

} // namespace vemo::colours
