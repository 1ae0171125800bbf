#include "view/MouseEditing.h"

#include "model/Joins.h"
#include "platform/Ids.h"
#include "view/EditStep.h"
#include "view/KeyQueries.h"
#include "view/PointerOnGrid.h"
#include "view/Redraw.h"
#include "view/Scrolling.h"

namespace vemo {

namespace {

bool isScrollBarDragRunning(const View& view) {
    return view.hScrollDrag != 0 || view.vScrollDrag != 0;
}

// Edits the cell under the pointer. The edit's own pass has already drawn the columns left of
// the edited one when their joins change, so a second pass shows the grid as it now is.
void requestEdit(Editor& editor, std::int32_t editFlag) {
    View& view = editor.state.view;
    const Point point = pointerOnGrid(view);
    view.mouseX = point.x;
    view.mouseY = point.y;
    redraw(editor.state, editor.bitmaps, editor.platform, RedrawMain + editFlag);
    redraw(editor.state, editor.bitmaps, editor.platform, RedrawMain);
}

} // namespace

void gridClick(Editor& editor, std::int32_t clickType) {
    if (isScrollBarDragRunning(editor.state.view)) return;
    requestEdit(editor, clickType == LeftClick ? EditLeft : EditRight);
}

void pointerMoved(Editor& editor) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    const View& view = state.view;
    if (isHeld(ui, Key::Shift) && isPointerOnGrid(view)) {
        // The flag and the toolbar toggle switch on together, whether or not a cell is hit.
        if (isHeld(ui, Key::LeftButton)) {
            showSelectionInUse(state.selection, ui);
            requestEdit(editor, EditLeft);
        } else if (isHeld(ui, Key::RightButton)) {
            showSelectionInUse(state.selection, ui);
            requestEdit(editor, EditRight);
        }
    } else if (isHeldAskedTwice(ui, Key::LeftButton) && isPointerOnGrid(view)) {
        // A left drag paints only into a stroke that a click on the grid opened.
        if (!isScrollBarDragRunning(view) && state.stroke.strokeFirst >= 0)
            requestEdit(editor, EditLeft);
    } else if (isHeldAskedTwice(ui, Key::RightButton) && isPointerOnGrid(view)) {
        if (!isScrollBarDragRunning(view)) requestEdit(editor, EditRight);
    }
    panStep(editor);
}

namespace {

void endPress(Editor& editor) {
    EditorState& state = editor.state;
    View& view = state.view;
    // A quick drag may have reached the release position after the pass read the pointer:
    // the last cell is painted here. The same point as the last edit needs no second edit.
    const Point point = pointerOnGrid(view);
    const bool hasMovedSinceLastEdit = point.x != view.mouseX || point.y != view.mouseY;
    if (state.stroke.strokeFirst >= 0 && !isScrollBarDragRunning(view) && isPointerOnGrid(view) &&
        hasMovedSinceLastEdit)
        requestEdit(editor, EditLeft);
    view.hScrollDrag = 0;
    view.vScrollDrag = 0;
    updateJoins(state.melody, state.stroke);
    state.stroke.strokeFirst = -1;
}

} // namespace

void leftButtonReleased(Editor& editor) {
    View& view = editor.state.view;
    const Point pointer = editor.platform.ui.pointer();
    view.pointerX = pointer.x;
    view.pointerY = pointer.y;
    endPress(editor);
}

void endPressIfButtonUp(Editor& editor) {
    const EditorState& state = editor.state;
    const bool isPressOpen = state.stroke.strokeFirst >= 0 || isScrollBarDragRunning(state.view);
    if (isPressOpen && !isDownNow(editor.platform.ui, Key::LeftButton)) endPress(editor);
}

} // namespace vemo
