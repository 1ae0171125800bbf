#include "view/MouseEditing.h"

#include "model/GridEdits.h"
#include "model/Joins.h"
#include "platform/Ids.h"
#include "sound/Playback.h"
#include "sound/ToneList.h"
#include "view/HitTest.h"
#include "view/KeyQueries.h"
#include "view/Redraw.h"
#include "view/Scrolling.h"

namespace vemo {

namespace {

enum class Button { Left, Right };

constexpr std::int32_t NoPreview = -1;

bool isScrollBarDragRunning(const View& view) {
    return view.hScrollDrag != 0 || view.vScrollDrag != 0;
}

std::int32_t leftEdit(EditorContext& editor, GridCell cell) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    recordLeftHit(state.stroke, cell.column, cell.row);
    if (isHeldAskedTwice(ui, Key::Shift)) {
        showSelectionInUse(state.selection, ui);
        moveSelectionFirst(state.melody, state.selection, cell.column);
        return NoPreview;
    }
    return editLeft(state.melody, state.stroke, cell.column, cell.row);
}

std::int32_t rightEdit(EditorContext& editor, GridCell cell) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    if (isHeldAskedTwice(ui, Key::Shift)) {
        showSelectionInUse(state.selection, ui);
        moveSelectionLast(state.melody, state.selection, cell.column);
        return NoPreview;
    }
    // Only the left Control key opens the column menu; the right one erases like a plain click.
    if (isDownNow(ui, Key::LeftControl)) {
        state.shell.popupRequested = 1;
        state.shell.popupColumn = cell.column;
        return NoPreview;
    }
    return editRight(state.melody, cell.column, cell.row);
}

// Edits the cell under the pointer, if the grid pass draws one there, then draws the grid as
// it now is. The preview sounds once its picture is on screen; the pause after it keeps the pace
// of two grid passes per edit that drags have always had.
void editAtPointer(EditorContext& editor, Button button) {
    EditorState& state = editor.state;
    View& view = state.view;
    const Point point = pointerOnGrid(view);
    view.mouseX = point.x;
    view.mouseY = point.y;
    std::int32_t previewRow = NoPreview;
    if (const std::optional<GridCell> cell = cellAt(state, point))
        previewRow = button == Button::Left ? leftEdit(editor, *cell) : rightEdit(editor, *cell);
    redraw(editor, RedrawMain);
    Platform& platform = editor.platform;
    if (previewRow != NoPreview)
        startPreview(state.playback, platform.beeper, platform.runtime,
                     rowFrequency(state.melody, state.pitch, previewRow),
                     state.melody.columnDuration);
    platform.runtime.sleepMs(GridPauseMs);
}

} // namespace

void showSelectionInUse(Selection& selection, Ui& ui) {
    selection.selectionActive = 1;
    ui.setButtonPressed(CommandId::ToggleSelection, true);
}

void gridClick(EditorContext& editor, std::int32_t clickType) {
    if (isScrollBarDragRunning(editor.state.view)) return;
    editAtPointer(editor, clickType == LeftClick ? Button::Left : Button::Right);
}

void pointerMoved(EditorContext& editor) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    const View& view = state.view;
    if (isHeld(ui, Key::Shift) && isPointerOnGrid(view)) {
        // The flag and the toolbar toggle switch on together, whether or not a cell is hit.
        if (isHeld(ui, Key::LeftButton)) {
            showSelectionInUse(state.selection, ui);
            editAtPointer(editor, Button::Left);
        } else if (isHeld(ui, Key::RightButton)) {
            showSelectionInUse(state.selection, ui);
            editAtPointer(editor, Button::Right);
        }
    } else if (isHeldAskedTwice(ui, Key::LeftButton) && isPointerOnGrid(view)) {
        // A left drag paints only into a stroke that a click on the grid opened.
        if (!isScrollBarDragRunning(view) && state.stroke.strokeFirst >= 0)
            editAtPointer(editor, Button::Left);
    } else if (isHeldAskedTwice(ui, Key::RightButton) && isPointerOnGrid(view)) {
        if (!isScrollBarDragRunning(view)) editAtPointer(editor, Button::Right);
    }
    panStep(editor);
}

namespace {

void endPress(EditorContext& editor) {
    EditorState& state = editor.state;
    View& view = state.view;
    // A quick drag may have reached the release position after the pass read the pointer:
    // the last cell is painted here. The same point as the last edit needs no second edit.
    const Point point = pointerOnGrid(view);
    const bool hasMovedSinceLastEdit = point.x != view.mouseX || point.y != view.mouseY;
    if (state.stroke.strokeFirst >= 0 && !isScrollBarDragRunning(view) && isPointerOnGrid(view) &&
        hasMovedSinceLastEdit)
        editAtPointer(editor, Button::Left);
    view.hScrollDrag = 0;
    view.vScrollDrag = 0;
    updateJoins(state.melody, state.stroke);
    state.stroke.strokeFirst = -1;
}

} // namespace

void leftButtonReleased(EditorContext& editor) {
    View& view = editor.state.view;
    const Point pointer = editor.platform.ui.pointer();
    view.pointerX = pointer.x;
    view.pointerY = pointer.y;
    endPress(editor);
}

void endPressIfButtonUp(EditorContext& editor) {
    const EditorState& state = editor.state;
    const bool isPressOpen = state.stroke.strokeFirst >= 0 || isScrollBarDragRunning(state.view);
    if (isPressOpen && !isDownNow(editor.platform.ui, Key::LeftButton)) endPress(editor);
}

} // namespace vemo
