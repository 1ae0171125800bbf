#pragma once

#include "view/EditorContext.h"

namespace vemo {

// Zooms in (steps > 0) or out by whole steps within MinZoom … MaxZoom and repaints all three
// images. The pixel of the melody under the anchor keeps its place on the screen, as far as
// the view can move: at the pointer when it lies on the grid, else at the grid's centre.
void zoomAtPointer(EditorContext& editor, std::int32_t steps);
void zoomAtCentre(EditorContext& editor, std::int32_t steps);

} // namespace vemo
