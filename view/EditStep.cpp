#include "view/EditStep.h"

#include "model/Geometry.h"
#include "model/Joins.h"
#include "platform/Ids.h"
#include "sound/ToneList.h"
#include "view/GridPass.h"
#include "view/KeyQueries.h"
#include "view/Redraw.h"

namespace vemo {

namespace {

// The gap before a column belongs to the column; the gaps between octaves belong to no row.
bool isUnderEditPoint(const EditorState& state, std::int32_t column, std::int32_t row,
                      ScrollOffsets offsets) {
    const Melody& melody = state.melody;
    const View& view = state.view;
    const Cell& cell = melody.grid.at(column, row);
    const std::int32_t left = cell.x - melody.marks[column] - offsets.scrollX;
    const std::int32_t right = cell.x - offsets.scrollX + melody.columnWidth;
    const std::int32_t top = cell.y - offsets.scrollY;
    const std::int32_t bottom = top + melody.rowHeight;
    return left <= view.mouseX && view.mouseX < right && top <= view.mouseY && view.mouseY < bottom;
}

// Moves one edge of the selection; the other follows when the edges would cross.
void moveSelectionFirst(EditorState& state, Ui& ui, std::int32_t column) {
    Selection& selection = state.selection;
    showSelectionInUse(selection, ui);
    selection.selectionFirst = column;
    if (selection.selectionFirst > selection.selectionLast) selection.selectionLast = column;
    updateSelectionEdges(state.melody, selection);
}

void moveSelectionLast(EditorState& state, Ui& ui, std::int32_t column) {
    Selection& selection = state.selection;
    showSelectionInUse(selection, ui);
    selection.selectionLast = column;
    if (selection.selectionFirst > selection.selectionLast) selection.selectionFirst = column;
    updateSelectionEdges(state.melody, selection);
}

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

EditOutcome editLeft(EditorState& state, Ui& ui, std::int32_t column, std::int32_t row) {
    Stroke& stroke = state.stroke;
    stroke.previousHitColumn = stroke.lastHitColumn;
    stroke.previousHitRow = stroke.lastHitRow;
    stroke.lastHitColumn = column;
    stroke.lastHitRow = row;
    const std::int32_t rowChange = stroke.lastHitRow - stroke.previousHitRow;

    if (isHeldAskedTwice(ui, Key::Shift)) {
        moveSelectionFirst(state, ui, column);
        return {};
    }
    Melody& melody = state.melody;
    // One voice: the column's old note goes, and with it the ties into it.
    eraseColumn(melody, column);
    melody.grid.at(column, row).hasNote = 1;
    extendStroke(melody, stroke, column, rowChange);
    updateJoins(melody, stroke);
    return {rowFrequency(melody, state.pitch, row)};
}

EditOutcome editRight(EditorState& state, Ui& ui, std::int32_t column, std::int32_t row) {
    if (isHeldAskedTwice(ui, Key::Shift)) {
        moveSelectionLast(state, ui, column);
        return {};
    }
    // Only the left Control key opens the column menu; the right one erases like a plain click.
    if (isDownNow(ui, Key::LeftControl)) {
        state.shell.popupRequested = 1;
        state.shell.popupColumn = column;
        return {};
    }
    Melody& melody = state.melody;
    eraseColumn(melody, column);
    // The row under the pointer sounds whether or not it held the note.
    return {rowFrequency(melody, state.pitch, row)};
}

} // namespace

void showSelectionInUse(Selection& selection, Ui& ui) {
    selection.selectionActive = 1;
    ui.setButtonPressed(CommandId::ToggleSelection, true);
}

EditOutcome editStep(EditorState& state, Platform& platform, std::int32_t column, std::int32_t row,
                     std::int32_t editFlag, ScrollOffsets offsets) {
    if (!isUnderEditPoint(state, column, row, offsets)) return {};
    if (editFlag == EditLeft) return editLeft(state, platform.ui, column, row);
    return editRight(state, platform.ui, column, row);
}

} // namespace vemo
