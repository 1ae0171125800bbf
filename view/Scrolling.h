#pragma once

#include "view/Editor.h"

namespace vemo {

// A pan moves the view by this share of the scroll range per pixel, divided by the last index.
constexpr double PanShareOfRangePerPixel = 0.2;

// Moving the view with the mouse. Each reads view.pointerX / pointerY as the event loop set
// them at the start of its pass.

// Every pass: pan mode is on while 'M' or the middle button is down.
void switchPanMode(Editor& editor);
// Every pass: a running scroll-bar drag sets the view from the pointer along its bar.
void scrollBarDragStep(Editor& editor);
// After each pointer move: shifts the view by the distance moved since the previous step.
void panStep(Editor& editor);

} // namespace vemo
