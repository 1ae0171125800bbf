#include "model/Joins.h"

#include <algorithm>

namespace vemo {

void updateJoins(Melody& melody, const Stroke& stroke) {
    if (stroke.strokeFirst < 0) return;
    const std::int32_t first = std::min(stroke.strokeFirst, melody.lastColumn);
    const std::int32_t last = std::clamp(stroke.strokeLast, first, melody.lastColumn);
    CellGrid& grid = melody.grid;
    for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
        if (first > 0) grid.at(first - 1, r).joinRight = 0;
        grid.at(first, r).joinLeft = 0;
    }
    // Only sets flags: a column the stroke skipped keeps what it had.
    for (std::int32_t c = first; c < last; ++c) {
        for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
            if (grid.at(c, r).hasNote != 0 && grid.at(c + 1, r).hasNote != 0) {
                grid.at(c, r).joinRight = 1;
                grid.at(c + 1, r).joinLeft = 1;
                break;
            }
        }
    }
    for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
        grid.at(last, r).joinRight = 0;
        if (last < melody.lastColumn) grid.at(last + 1, r).joinLeft = 0;
    }
}

void cutJoinsAfter(Melody& melody, std::int32_t column) {
    if (column < 0 || column >= melody.lastColumn) return;
    for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
        melody.grid.at(column, r).joinRight = 0;
        melody.grid.at(column + 1, r).joinLeft = 0;
    }
}

void clearColumn(Melody& melody, std::int32_t column) {
    for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
        Cell& cell = melody.grid.at(column, r);
        cell.hasNote = 0;
        cell.joinLeft = 0;
        cell.joinRight = 0;
    }
}

void eraseColumn(Melody& melody, std::int32_t column) {
    clearColumn(melody, column);
    cutJoinsAfter(melody, column - 1);
    cutJoinsAfter(melody, column);
}

void keepOnlyWholeJoins(CellGrid& grid, std::int32_t leftColumn) {
    const std::int32_t rightColumn = leftColumn + 1;
    for (std::int32_t r = 0; r < grid.rowCount(); ++r) {
        if (leftColumn < 0) {
            grid.at(rightColumn, r).joinLeft = 0;
            continue;
        }
        if (rightColumn >= grid.columnCount()) {
            grid.at(leftColumn, r).joinRight = 0;
            continue;
        }
        Cell& left = grid.at(leftColumn, r);
        Cell& right = grid.at(rightColumn, r);
        const bool isWholeJoin =
            left.hasNote != 0 && right.hasNote != 0 && left.joinRight != 0 && right.joinLeft != 0;
        if (!isWholeJoin) {
            left.joinRight = 0;
            right.joinLeft = 0;
        }
    }
}

void clearHalfJoins(CellGrid& grid) {
    for (std::int32_t c = -1; c < grid.columnCount(); ++c)
        keepOnlyWholeJoins(grid, c);
}

} // namespace vemo
