#include "model/Joins.h"

namespace vemo {

void updateJoins(Melody& melody, const Stroke& stroke) {
    const std::int32_t first = stroke.strokeFirst;
    const std::int32_t last = stroke.strokeLast;
    if (first < 0) return;
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

} // namespace vemo
