#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"
#include "view/CellBitmaps.h"

namespace vemo {

constexpr std::int32_t RedrawVer = 2;  // the scroll bar above the grid
constexpr std::int32_t RedrawHor = 4;  // the scroll bar beside the grid
constexpr std::int32_t RedrawMain = 8; // the grid
constexpr std::int32_t EditLeft = 16;  // with RedrawMain: left-button edit during the grid pass
constexpr std::int32_t EditRight = 32; // with RedrawMain: right-button edit; EditLeft wins

// The grid pass pauses this long so that a drag repaints at most about 50 times a second.
constexpr std::int32_t GridPauseMs = 20;

// Repaints the requested images in the order ver, hor, main and shows each in its control.
void redraw(EditorState& state, const CellBitmaps& bitmaps, Platform& platform, std::int32_t flags);

} // namespace vemo
