#pragma once

#include "view/EditorContext.h"

namespace vemo {

constexpr std::int32_t RedrawVer = 2;  // the scroll bar above the grid
constexpr std::int32_t RedrawHor = 4;  // the scroll bar beside the grid
constexpr std::int32_t RedrawMain = 8; // the grid
// With RedrawMain: no pause after it. A typed key comes one at a time, and the pause would hold
// back the screen's repaint of it.
constexpr std::int32_t RedrawWithoutPause = 16;

// After each grid repaint the editor pauses this long, so that a drag repaints at most about
// 50 times a second.
constexpr std::int32_t GridPauseMs = 20;

// Repaints the requested images in the order ver, hor, main, each at its area's size, and shows
// each in its control; after the grid, the pause. Draws only: an edit is made before.
void redraw(EditorContext& editor, std::int32_t flags);

} // namespace vemo
