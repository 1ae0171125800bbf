#pragma once

#include "model/EditorState.h"
#include "platform/Image.h"

namespace vemo {

// A marker this close to an end of its bar is drawn at that end, and a press there pulls the view
// to it (see barFraction in view/Scrolling.h).
constexpr std::int32_t SnapZonePx = 6;

// Marker position on a bar lengthPx long for a scroll fraction. Unless the view is being panned,
// a marker close to either end is drawn at that end. Only the picture snaps: the view keeps the
// position it was given.
std::int32_t scrollMarkerPosition(std::int32_t lengthPx, double fraction, bool panning);

// The bar above the grid (image ver) shows horizontalScroll; the one beside it (image hor)
// shows verticalScroll. The marker grows with the zoom: a bar is drawn as its zoom-1 picture of
// the unzoomed length, scaled up. Each image has its area's size.
void paintVerBar(const View& view, Image& image);
void paintHorBar(const View& view, Image& image);

} // namespace vemo
