#pragma once

#include "model/Melody.h"
#include "model/Stroke.h"

#include <cstdint>

namespace vemo {

// The edits the mouse makes on one cell of the grid. Those that sound give the row to preview.

// A left-button edit is about to land on the cell: the stroke remembers the cell it hit and the
// one before.
void recordLeftHit(Stroke& stroke, std::int32_t column, std::int32_t row);

// Sets the note of a left-button edit: the column's old note goes, and with it the ties into
// it; the stroke opens, restarts where the row changed since the previous hit, or widens, and
// its notes are tied. Call recordLeftHit first. Gives the row to preview.
std::int32_t editLeft(Melody& melody, Stroke& stroke, std::int32_t column, std::int32_t row);

// Empties the column of a right-button edit and cuts the neighbours' ties into it. Gives the row
// under the pointer, whether or not it held the note, to preview.
std::int32_t editRight(Melody& melody, std::int32_t column, std::int32_t row);

// Shift edits move one edge of the selection; the other follows when the edges would cross.
void moveSelectionFirst(const Melody& melody, Selection& selection, std::int32_t column);
void moveSelectionLast(const Melody& melody, Selection& selection, std::int32_t column);

} // namespace vemo
