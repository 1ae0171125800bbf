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

namespace {

struct ColumnSpan {
    std::int32_t first;
    std::int32_t last;
};

// The selected columns when the selection is in use, else every column.
ColumnSpan workedColumns(const Melody& melody, const Selection& selection) {
    if (selection.selectionActive == 0) return {0, melody.lastColumn};
    return {std::max(selection.selectionFirst, 0), std::min(selection.selectionLast, melody.lastColumn)};
}

// The column's note goes to another row with its ties.
void moveNote(Melody& melody, std::int32_t column, std::int32_t row, std::int32_t newRow) {
    const Cell note = melody.grid.at(column, row);
    clearColumn(melody, column);
    Cell& moved = melody.grid.at(column, newRow);
    moved.hasNote = note.hasNote;
    moved.joinLeft = note.joinLeft;
    moved.joinRight = note.joinRight;
}

// Ties that crossed the edges of the moved columns end there when the rows parted.
void settleEdges(Melody& melody, ColumnSpan span) {
    keepOnlyWholeJoins(melody.grid, span.first - 1);
    keepOnlyWholeJoins(melody.grid, span.last);
}

} // namespace

std::string transposeNotes(Melody& melody, const Selection& selection, std::int32_t rowChange) {
    const auto [first, last] = workedColumns(melody, selection);
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
        if (row >= 0) moveNote(melody, c, row, row + rowChange);
    }
    settleEdges(melody, {first, last});
    return {};
}

std::int32_t fitNotesByOctaves(Melody& melody, const Pitch& pitch, const Selection& selection,
                               double lowestHz, double highestHz) {
    const ColumnSpan span = workedColumns(melody, selection);
    const auto hz = [&](std::int32_t row) {
        return static_cast<double>(static_cast<std::int32_t>(pitch.pitchTable[melody.lastRow - row]));
    };
    std::int32_t moved = 0;
    for (std::int32_t c = span.first; c <= span.last; ++c) {
        const std::int32_t row = melody.grid.noteRow(c);
        if (row < 0) continue;
        // A lower row sounds higher: an octave up is twelve rows towards the top.
        std::int32_t target = row;
        while (hz(target) < lowestHz && target - RowsPerOctave >= 0)
            target -= RowsPerOctave;
        while (hz(target) > highestHz && target + RowsPerOctave <= melody.lastRow)
            target += RowsPerOctave;
        if (target == row) continue;
        moveNote(melody, c, row, target);
        ++moved;
    }
    settleEdges(melody, span);
    return moved;
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
