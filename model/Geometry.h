#pragma once

#include "model/Melody.h"

namespace vemo {

constexpr std::int32_t ContentLeft = 5;
constexpr std::int32_t ContentTop = 10;
constexpr std::int32_t OctaveGap = 4;

// Caches x and y of every cell for the current marks and cell size.
void computeGeometry(Melody& melody);
// selectionLeftX and selectionRightX from the selected columns and the cached geometry.
void updateSelectionEdges(const Melody& melody, Selection& selection);
// Content y of a row, the same formula the cache holds.
std::int32_t rowY(const Melody& melody, std::int32_t row);

} // namespace vemo
