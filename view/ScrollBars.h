#pragma once

#include "model/EditorState.h"

namespace vemo {

// Marker position on a bar lengthPx long for a scroll fraction. Unless the view is being panned,
// a marker close to either end snaps there and takes the fraction with it to 0.0 or 1.0.
std::int32_t scrollMarkerPosition(std::int32_t lengthPx, double& fraction, bool panning);

// The bar above the grid (image ver) shows horizontalScroll; the one beside it (image hor)
// shows verticalScroll. Both may snap their fraction. The marker and the snap zones grow with
// the zoom: a bar is drawn as its zoom-1 picture of the unzoomed length, scaled up.
void paintVerBar(View& view);
void paintHorBar(View& view);

} // namespace vemo
