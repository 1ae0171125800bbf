#include "model/Geometry.h"

namespace vemo {

std::int32_t rowY(const Melody& melody, std::int32_t row) {
    return ContentTop + row * melody.rowHeight + (row / RowsPerOctave) * OctaveGap;
}

void computeGeometry(Melody& melody) {
    std::int32_t markSum = 0;
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c) {
        markSum += melody.marks[c];
        const std::int32_t x = ContentLeft + c * melody.columnWidth + markSum;
        for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
            Cell& cell = melody.grid.at(c, r);
            cell.x = x;
            cell.y = rowY(melody, r);
        }
    }
}

void updateSelectionEdges(const Melody& melody, Selection& selection) {
    selection.selectionLeftX = melody.grid.at(selection.selectionFirst, 0).x - 1;
    selection.selectionRightX =
        melody.grid.at(selection.selectionLast, 0).x + melody.columnWidth - 1;
}

} // namespace vemo
