#pragma once

#include "view/Editor.h"

#include <cstdint>

namespace vemo {

// Editing with the mouse on the grid image. Each reads view.pointerX / pointerY as the event
// loop set them at the start of its pass, and the key and button state at the moment.

// A click on the grid image: clickType 0 left (reported on press), 1 right (on release).
void gridClick(Editor& editor, std::int32_t clickType);
// A pointer move in the main window: drag painting, erasing or selecting, then the pan step.
void pointerMoved(Editor& editor);
// The left button went up in the main window: paints the release position into the open stroke,
// ends scroll-bar drags and closes the stroke. Reads the pointer anew.
void leftButtonReleased(Editor& editor);
// The same when the left button is up while a stroke or a scroll-bar drag is open: a modal
// window that opened during the press took the release, so the event never came.
void endPressIfButtonUp(Editor& editor);

} // namespace vemo
