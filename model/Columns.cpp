#include "model/Columns.h"

#include "model/Geometry.h"
#include "model/Joins.h"
#include "model/Marks.h"

#include <algorithm>

namespace vemo {

namespace {

// A column moves with its notes and both join flags; x and y stay with the position.
void moveColumnContent(Melody& melody, std::int32_t fromColumn, std::int32_t toColumn) {
    melody.grid.copyColumnNotes(melody.grid, fromColumn, toColumn);
}

void refreshLayout(Melody& melody, Selection& selection) {
    computeGeometry(melody);
    updateSelectionEdges(melody, selection);
}

} // namespace

void insertColumn(Melody& melody, Selection& selection, std::int32_t popupColumn) {
    const std::int32_t lastColumn = melody.lastColumn;
    if (popupColumn < 0 || popupColumn > lastColumn) return;
    for (std::int32_t c = lastColumn; c > popupColumn; --c) {
        melody.marks[c] = melody.marks[c - 1];
        moveColumnContent(melody, c - 1, c);
    }
    clearColumn(melody, popupColumn);
    keepOnlyWholeJoins(melody.grid, popupColumn - 1);
    keepOnlyWholeJoins(melody.grid, popupColumn);
    // The old last column fell off: its partner's joinRight points at nothing now.
    keepOnlyWholeJoins(melody.grid, lastColumn);
    if (popupColumn < lastColumn) {
        // The empty column takes over the block role; the shifted column goes on inside it.
        melody.marks[popupColumn] = melody.marks[popupColumn + 1];
        melody.marks[popupColumn + 1] = 0;
    }
    melody.marks[0] = MarkLargeStart;
    melody.markTotal = sumOfMarks(melody.marks);
    refreshLayout(melody, selection);
}

void deleteColumn(Melody& melody, Selection& selection, std::int32_t popupColumn) {
    const std::int32_t lastColumn = melody.lastColumn;
    if (popupColumn < 0 || popupColumn > lastColumn) return;
    const std::int32_t deletedMark = melody.marks[popupColumn];
    for (std::int32_t c = popupColumn; c < lastColumn; ++c) {
        melody.marks[c] = melody.marks[c + 1];
        moveColumnContent(melody, c + 1, c);
    }
    clearColumn(melody, lastColumn);
    keepOnlyWholeJoins(melody.grid, popupColumn - 1);
    keepOnlyWholeJoins(melody.grid, lastColumn - 1);
    // A block start on the deleted column stays at its position.
    if (deletedMark != 0) melody.marks[popupColumn] = deletedMark;
    melody.marks[0] = MarkLargeStart;
    melody.marks[lastColumn] = 0;
    repatternTail(melody);
    refreshLayout(melody, selection);
}

std::string transposeNotes(Melody& melody, const Selection& selection, std::int32_t rowChange) {
    const bool isSelectionInUse = selection.selectionActive != 0;
    const std::int32_t first = isSelectionInUse ? std::max(selection.selectionFirst, 0) : 0;
    const std::int32_t last =
        isSelectionInUse ? std::min(selection.selectionLast, melody.lastColumn) : melody.lastColumn;
    for (std::int32_t c = first; c <= last; ++c) {
        const std::int32_t row = melody.grid.noteRow(c);
        if (row < 0) continue;
        const std::int32_t target = row + rowChange;
        if (target < 0) return "column " + std::to_string(c) + " already holds a note near the top";
        if (target > melody.lastRow)
            return "column " + std::to_string(c) + " already holds a note near the bottom";
    }
    for (std::int32_t c = first; c <= last; ++c) {
        const std::int32_t row = melody.grid.noteRow(c);
        if (row < 0) continue;
        const Cell note = melody.grid.at(c, row);
        clearColumn(melody, c);
        Cell& moved = melody.grid.at(c, row + rowChange);
        moved.hasNote = note.hasNote;
        moved.joinLeft = note.joinLeft;
        moved.joinRight = note.joinRight;
    }
    keepOnlyWholeJoins(melody.grid, first - 1);
    keepOnlyWholeJoins(melody.grid, last);
    return {};
}

void clearSelection(Melody& melody, const Selection& selection) {
    const std::int32_t first = std::max(selection.selectionFirst, 0);
    const std::int32_t last = std::min(selection.selectionLast, melody.lastColumn);
    if (first > last) return;
    cutJoinsAfter(melody, first - 1);
    for (std::int32_t c = first; c <= last; ++c)
        clearColumn(melody, c);
    cutJoinsAfter(melody, last);
}

} // namespace vemo
