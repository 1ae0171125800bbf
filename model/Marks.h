#pragma once

#include "model/Melody.h"

namespace vemo {

// Marks from scratch for the current block sizes; sets markTotal.
void computeMarks(Melody& melody);
// Restarts the block pattern at the last large-block start (or column 0); sets markTotal.
void repatternTail(Melody& melody);
std::int32_t sumOfMarks(const ColumnMarks& marks);

} // namespace vemo
