#pragma once

#include "model/EditorState.h"

namespace vemo {

// After the melody is replaced: the selection spans every column and is not in use, no stroke
// is open, and the view shows the first columns and the middle rows.
void resetSelectionAndView(EditorState& state);

// An empty melody of the current lastColumn and block sizes; the clipboard is carried over
// from previousLastColumn + 1 columns, the selection spans everything and is not in use.
void startEmptyMelody(EditorState& state);

// The dimensions chosen in the new-melody dialog; the old width is kept for the clipboard.
void setNewDimensions(Melody& melody, std::int32_t width, std::int32_t smallBlock,
                      std::int32_t largeBlock);

} // namespace vemo
