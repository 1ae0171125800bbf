#pragma once

#include "model/Cell.h"

#include <cstdint>

namespace vemo {

constexpr std::int32_t StartOctaveCount = 8;
constexpr std::int32_t StartOctaveShift = 3;
constexpr std::int32_t StartBlockSize = 4;
constexpr std::int32_t StartColumnDuration = 120;
constexpr std::int32_t MinColumnDuration = 1;
constexpr std::int32_t MaxColumnDuration = 999;
constexpr std::int32_t MinColumnCount = 32;
constexpr std::int32_t MaxColumnCount = 4096;
constexpr std::int32_t RowsPerOctave = 12;
// The last row of every melody: eight octaves of twelve rows. A file must match it.
constexpr std::int32_t MelodyLastRow = StartOctaveCount * RowsPerOctave - 1;

// The melody: what a file stores plus the geometry derived from it.
struct Melody {
    std::int32_t lastColumn = 0;
    std::int32_t lastRow = 0;
    std::int32_t previousLastColumn = 0;
    std::int32_t octaveCount = 0;
    std::int32_t octaveShift = 0;
    std::int32_t smallBlock = 0;
    std::int32_t largeBlock = 0;
    std::int32_t columnWidth = 0;
    std::int32_t rowHeight = 0;
    std::int32_t markTotal = 0;
    std::int32_t columnDuration = 0;
    CellGrid grid;
    ColumnMarks marks;
};

// The columns the commands work on when the selection is in use.
struct Selection {
    std::int32_t selectionActive = 0;
    std::int32_t selectionFirst = 0;
    std::int32_t selectionLast = 0;
    std::int32_t selectionLeftX = 0;
    std::int32_t selectionRightX = 0;
};

} // namespace vemo
