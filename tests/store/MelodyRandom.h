#pragma once

// Random melodies that keep the model's rules: one note per column, joins only between
// neighbouring notes of one row, marks from block sizes.

#include "tests/store/MelodyTestFiles.h"

#include <random>

namespace vemo::test {

inline std::int32_t uniform(std::mt19937& random, std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random);
}

inline Melody randomMelody(std::mt19937& random, std::int32_t columnCount) {
    Melody melody = emptyMelody(columnCount, uniform(random, 1, 8), uniform(random, 1, 8),
                                uniform(random, 1, 999));
    const std::int32_t emptyPercent = uniform(random, 0, 100);
    std::int32_t previousRow = -1;
    for (std::int32_t column = 0; column < columnCount; ++column) {
        if (uniform(random, 1, 100) <= emptyPercent) {
            previousRow = -1;
            continue;
        }
        // Runs on one row are common in real melodies and are what joins need.
        const bool sameRow = previousRow >= 0 && uniform(random, 0, 1) == 1;
        const std::int32_t row = sameRow ? previousRow : uniform(random, 0, melody.lastRow);
        melody.grid.at(column, row).hasNote = 1;
        if (sameRow && uniform(random, 0, 2) != 0) {
            melody.grid.at(column - 1, row).joinRight = 1;
            melody.grid.at(column, row).joinLeft = 1;
        }
        previousRow = row;
    }
    return melody;
}

} // namespace vemo::test
