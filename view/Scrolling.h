#pragma once

#include "view/EditorContext.h"

namespace vemo {

// A pan moves the view by this share of the scroll range per pixel, divided by the last index.
constexpr double PanShareOfRangePerPixel = 0.2;

// Moving the view with the mouse. Each reads view.pointerX / pointerY as the event loop set
// them at the start of its pass.

// Every pass: pan mode is on while 'M' or the middle button is down.
void switchPanMode(EditorContext& editor);
// Every pass: a running scroll-bar drag sets the view from the pointer along its bar.
void scrollBarDragStep(EditorContext& editor);

// Where a press at pixel px of a bar lengthPx long puts the view on a scroll range of rangePx
// with viewPx of it in view: that share of the range, except that within SnapZonePx of an end
// it goes all the way there. The pull reaches only as far as the view of the next pixel inward
// still overlaps the view at the end, so on a long melody at a high zoom it never puts columns
// out of the bar's reach.
double barFraction(std::int32_t px, std::int32_t lengthPx, double rangePx, double viewPx);
// After each pointer move: shifts the view by the distance moved since the previous step.
void panStep(EditorContext& editor);

} // namespace vemo
