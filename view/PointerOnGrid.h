#pragma once

#include "model/EditorState.h"
#include "platform/Ui.h"

namespace vemo {

// Whether the pointer (view.pointerX, view.pointerY) lies on the grid image.
bool isPointerOnGrid(const View& view);

// Where the pointer lies on the grid image, in image pixels from its top-left corner: the
// pointer is reported in the controls' own pixels, the image counts screen pixels.
Point pointerOnGridImage(const View& view);

// Where the pointer lies on the grid image, in pixels of the melody before the scroll offsets:
// the image pixels from its top-left corner divided by the zoom, rounded down.
Point pointerOnGrid(const View& view);

} // namespace vemo
