#pragma once

#include "model/EditorState.h"

namespace vemo {

// Ties the notes of the stroke strokeFirst..strokeLast and cuts it off from its neighbours.
void updateJoins(Melody& melody, const Stroke& stroke);
// Clears every join flag between column and column + 1 (both sides of the pair).
void cutJoinsAfter(Melody& melody, std::int32_t column);
// Clears hasNote and both flags in every row of the column.
void clearColumn(Melody& melody, std::int32_t column);

} // namespace vemo
