#pragma once

#include "model/Melody.h"

#include <array>
#include <vector>

namespace vemo {

// The pitch of every row: grid row r sounds pitchTable[lastRow - r].
struct Pitch {
    std::array<float, RowsPerOctave> scaleTable{};
    std::vector<float> pitchTable;
};

// The just scale on C = 264 Hz and one frequency per row index, built once at start-up.
void buildPitchTable(Pitch& pitch, std::int32_t octaveShift, std::int32_t lastRow);

} // namespace vemo
