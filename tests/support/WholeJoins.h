#pragma once

#include "model/EditorState.h"

#include <gtest/gtest.h>

namespace vemo::test {

// Every join flag belongs to a whole pair between two notes of one row; one note per column.
inline ::testing::AssertionResult onlyWholeJoins(const CellGrid& grid) {
    const std::int32_t lastColumn = grid.columnCount() - 1;
    for (std::int32_t c = 0; c <= lastColumn; ++c) {
        std::int32_t notes = 0;
        for (std::int32_t r = 0; r < grid.rowCount(); ++r) {
            const Cell& cell = grid.at(c, r);
            notes += cell.hasNote != 0 ? 1 : 0;
            const bool rightOk = c < lastColumn && cell.hasNote != 0 &&
                                 grid.at(c + 1, r).hasNote != 0 && grid.at(c + 1, r).joinLeft != 0;
            const bool leftOk = c > 0 && cell.hasNote != 0 && grid.at(c - 1, r).hasNote != 0 &&
                                grid.at(c - 1, r).joinRight != 0;
            if (cell.joinRight != 0 && !rightOk)
                return ::testing::AssertionFailure() << "half join right at " << c << "," << r;
            if (cell.joinLeft != 0 && !leftOk)
                return ::testing::AssertionFailure() << "half join left at " << c << "," << r;
        }
        if (notes > 1) return ::testing::AssertionFailure() << notes << " notes in column " << c;
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult onlyWholeJoins(const Melody& melody) {
    return onlyWholeJoins(melody.grid);
}

} // namespace vemo::test
