#pragma once

#include "model/Melody.h"
#include "model/Stroke.h"

namespace vemo {

// Ties the notes of the stroke strokeFirst..strokeLast and cuts it off from its neighbours. A
// stroke reaching past the grid (left over from a wider melody) is cut at its edges.
void updateJoins(Melody& melody, const Stroke& stroke);
// Clears every join flag between column and column + 1 (both sides of the pair).
void cutJoinsAfter(Melody& melody, std::int32_t column);
// Clears hasNote and both flags in every row of the column.
void clearColumn(Melody& melody, std::int32_t column);
// Clears the column and the neighbours' flags that pointed into it.
void eraseColumn(Melody& melody, std::int32_t column);
// Between leftColumn and leftColumn + 1 a join survives only as a whole pair between two notes
// of one row. leftColumn may be -1 or the last column, where the seam has one side only.
void keepOnlyWholeJoins(CellGrid& grid, std::int32_t leftColumn);
// The same for every seam of the grid.
void clearHalfJoins(CellGrid& grid);

} // namespace vemo
