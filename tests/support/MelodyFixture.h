#pragma once

#include "model/EditorState.h"
#include "model/Geometry.h"
#include "model/Marks.h"
#include "model/PitchTable.h"

#include <random>

namespace vemo::test {

// A melody as a new melody leaves it: marks from the block sizes, geometry for 12 x 8 cells.
inline void resetMelody(Melody& melody, std::int32_t columnCount, std::int32_t smallBlock = 4,
                        std::int32_t largeBlock = 4) {
    melody.lastColumn = columnCount - 1;
    melody.previousLastColumn = melody.lastColumn;
    melody.lastRow = StartOctaveCount * RowsPerOctave - 1;
    melody.octaveCount = StartOctaveCount;
    melody.octaveShift = StartOctaveShift;
    melody.smallBlock = smallBlock;
    melody.largeBlock = largeBlock;
    melody.columnWidth = 12;
    melody.rowHeight = 8;
    melody.columnDuration = StartColumnDuration;
    melody.grid = CellGrid(columnCount, melody.lastRow + 1);
    melody.marks.assign(static_cast<std::size_t>(columnCount), 0);
    computeMarks(melody);
    computeGeometry(melody);
}

inline void setNote(Melody& melody, std::int32_t column, std::int32_t row, bool joinLeft = false,
                    bool joinRight = false) {
    Cell& cell = melody.grid.at(column, row);
    cell.hasNote = 1;
    cell.joinLeft = joinLeft ? 1 : 0;
    cell.joinRight = joinRight ? 1 : 0;
}

// Random notes, at most one per column, with joins only where both cells of a pair agree.
inline void fillRandom(Melody& melody, std::mt19937& random, double noteShare = 0.6) {
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::uniform_int_distribution<std::int32_t> anyRow(0, melody.lastRow);
    std::int32_t previousRow = -1;
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c) {
        if (chance(random) >= noteShare) {
            previousRow = -1;
            continue;
        }
        // Stay on the row now and then so that tied chains appear.
        const std::int32_t row =
            (previousRow >= 0 && chance(random) < 0.5) ? previousRow : anyRow(random);
        melody.grid.at(c, row).hasNote = 1;
        if (row == previousRow && chance(random) < 0.7) {
            melody.grid.at(c - 1, row).joinRight = 1;
            melody.grid.at(c, row).joinLeft = 1;
        }
        previousRow = row;
    }
}

inline void startPitch(Pitch& pitch) { buildPitchTable(pitch, StartOctaveShift, 95); }

} // namespace vemo::test
