#pragma once

#include "model/EditorState.h"

namespace vemo {

// The just scale on C = 264 Hz and one frequency per row index, built once at start-up.
void buildPitchTable(Pitch& pitch, std::int32_t octaveShift, std::int32_t lastRow);

} // namespace vemo
