#include "model/GridEdits.h"

#include "model/Geometry.h"
#include "model/Joins.h"

namespace vemo {

namespace {

// Opens, restarts or widens the stroke so that it covers the column just painted.
void extendStroke(Melody& melody, Stroke& stroke, std::int32_t column, std::int32_t rowChange) {
    if (stroke.strokeFirst < 0) {
        stroke.strokeFirst = stroke.strokeLast = column;
    } else if (rowChange != 0) {
        // The old stroke keeps its own ties; the new one starts untied at this column.
        updateJoins(melody, stroke);
        stroke.strokeFirst = stroke.strokeLast = column;
    } else if (column < stroke.strokeFirst) {
        stroke.strokeFirst = column;
    } else if (column > stroke.strokeLast) {
        stroke.strokeLast = column;
    }
}

} // namespace

void recordLeftHit(Stroke& stroke, std::int32_t column, std::int32_t row) {
    stroke.previousHitColumn = stroke.lastHitColumn;
    stroke.previousHitRow = stroke.lastHitRow;
    stroke.lastHitColumn = column;
    stroke.lastHitRow = row;
}

std::int32_t editLeft(Melody& melody, Stroke& stroke, std::int32_t column, std::int32_t row) {
    // One voice: the column's old note goes, and with it the ties into it.
    eraseColumn(melody, column);
    melody.grid.at(column, row).hasNote = 1;
    extendStroke(melody, stroke, column, stroke.lastHitRow - stroke.previousHitRow);
    updateJoins(melody, stroke);
    return row;
}

std::int32_t editRight(Melody& melody, std::int32_t column, std::int32_t row) {
    eraseColumn(melody, column);
    return row;
}

void moveSelectionFirst(const Melody& melody, Selection& selection, std::int32_t column) {
    selection.selectionFirst = column;
    if (selection.selectionFirst > selection.selectionLast) selection.selectionLast = column;
    updateSelectionEdges(melody, selection);
}

void moveSelectionLast(const Melody& melody, Selection& selection, std::int32_t column) {
    selection.selectionLast = column;
    if (selection.selectionFirst > selection.selectionLast) selection.selectionFirst = column;
    updateSelectionEdges(melody, selection);
}

} // namespace vemo
