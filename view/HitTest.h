#pragma once

#include "model/EditorState.h"
#include "platform/Ui.h"

#include <optional>

namespace vemo {

// Whether the pointer (view.pointerX, view.pointerY) lies on the grid image.
bool isPointerOnGrid(const View& view);

// Where the pointer lies on the grid image, in image pixels from its top-left corner: the
// pointer is reported in the controls' own pixels, the image counts screen pixels.
Point pointerOnGridImage(const View& view);

// Where the pointer lies on the grid image, in pixels of the melody before the scroll offsets:
// the image pixels from its top-left corner divided by the zoom, rounded down.
Point pointerOnGrid(const View& view);

struct GridCell {
    std::int32_t column = 0;
    std::int32_t row = 0;
};

// The cell whose hit rectangle holds the point (pixels of the melody from the grid image's
// top-left corner, before the scroll offsets). The gap before a column belongs to the column;
// the gaps between octaves belong to no row; only a cell the grid pass draws can be hit.
std::optional<GridCell> cellAt(const EditorState& state, Point point);

} // namespace vemo
