#pragma once

#include "view/EditorContext.h"

#include <cstdint>

namespace vemo {

// Editing with the mouse on the grid image: a hit test finds the cell under the pointer, the
// edit changes the model, then the grid is drawn once and the edit's preview sounds. Each reads
// view.pointerX / pointerY as the event loop set them at the start of its pass, and the key and
// button state at the moment.

// A click on the grid image: clickType 0 left (reported on press), 1 right (on release).
void gridClick(EditorContext& editor, std::int32_t clickType);
// A pointer move in the main window: drag painting, erasing or selecting, then the pan step.
void pointerMoved(EditorContext& editor);
// The left button went up in the main window: paints the release position into the open stroke,
// ends scroll-bar drags and closes the stroke. Reads the pointer anew.
void leftButtonReleased(EditorContext& editor);
// The same when the left button is up while a stroke or a scroll-bar drag is open: a modal
// window that opened during the press took the release, so the event never came.
void endPressIfButtonUp(EditorContext& editor);

// Switches the selection on together with its toolbar toggle.
void showSelectionInUse(Selection& selection, Ui& ui);

} // namespace vemo
