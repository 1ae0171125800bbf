#include "app/EventLoop.h"

#include "app/CodeWindow.h"
#include "app/CommandTable.h"
#include "app/EditCommands.h"
#include "app/KeyEntryCommands.h"
#include "app/Layout.h"
#include "app/NewMelodyCommand.h"
#include "app/PlaybackCommands.h"
#include "app/UndoCommands.h"
#include "platform/Ids.h"
#include "view/EditCursor.h"
#include "view/KeyQueries.h"
#include "view/MouseEditing.h"
#include "view/PlaybackCursor.h"
#include "view/PointerReadout.h"
#include "view/Redraw.h"
#include "view/Scrolling.h"
#include "view/Zooming.h"

namespace vemo {

namespace {

// Fits the images to the window and the screen's scale and paints them all.
void relayout(EditorContext& editor) {
    layoutMainWindow(editor.state.view, editor.platform.ui);
    redraw(editor, RedrawVer + RedrawHor + RedrawMain);
}

StepKind onMainWindowControl(EditorContext& editor, const Event& event) {
    EditorState& state = editor.state;
    if (event.control == ControlId::DurationSpin) {
        state.melody.columnDuration = editor.platform.ui.spinValue(ControlId::DurationSpin);
        return StepKind::Duration;
    }
    if (event.control == ControlId::VerImage && event.type == LeftClick)
        state.view.hScrollDrag = 1;
    else if (event.control == ControlId::HorImage && event.type == LeftClick)
        state.view.vScrollDrag = 1;
    if (event.control != ControlId::MainImage ||
        (event.type != LeftClick && event.type != RightClick))
        return StepKind::None;
    gridClick(editor, event.type);
    if (event.type == LeftClick) moveEditCursorToClick(editor);
    return event.type == LeftClick ? StepKind::Notes : StepKind::Erase;
}

StepKind onMainWindow(EditorContext& editor, const Event& event) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    switch (event.kind) {
    case EventKind::Close:
        if (ui.messageBox("please confirm", "exit program?", true)) state.shell.quitRequested = 1;
        return StepKind::None;
    case EventKind::Size:
        relayout(editor);
        return StepKind::None;
    case EventKind::Command:
        return runCommand(editor, event.command);
    case EventKind::Control:
        return onMainWindowControl(editor, event);
    case EventKind::LeftRelease:
        leftButtonReleased(editor);
        return StepKind::None;
    case EventKind::PointerMove:
        pointerMoved(editor);
        // A right drag erases without a click first.
        return isDownNow(ui, Key::RightButton) ? StepKind::Erase : StepKind::Notes;
    case EventKind::CtrlWheel:
        zoomAtPointer(editor, event.steps);
        return StepKind::None;
    case EventKind::Key:
        return onEntryKey(editor, event);
    case EventKind::None:
    case EventKind::EndRequest:
        return StepKind::None;
    }
    return StepKind::None;
}

void onCodeWindow(EditorContext& editor, const Event& event) {
    Ui& ui = editor.platform.ui;
    if (event.kind == EventKind::Close) {
        ui.hideWindow(WindowId::Code);
    } else if (event.kind == EventKind::Size) {
        const CodeWindowPlaces places = codeWindowPlaces(ui.clientSize(WindowId::Code));
        ui.moveControl(ControlId::CodeEditor, places.editor);
        ui.moveControl(ControlId::CodeCopy, places.copy);
    } else if (event.kind == EventKind::Control && event.control == ControlId::CodeCopy) {
        if (event.type == RightClick)
            chooseCodeFormat(editor.state, ui);
        else
            ui.setClipboardText(ui.editorText(ControlId::CodeEditor));
    }
}

// A right click on a button of the dialog does nothing, as on any push button of the system.
StepKind onNewMelodyDialog(EditorContext& editor, const Event& event) {
    const bool isClick = event.kind == EventKind::Control && event.type == LeftClick;
    if (event.kind == EventKind::Close || (isClick && event.control == ControlId::Cancel))
        editor.platform.ui.hideWindow(WindowId::NewMelody);
    else if (isClick && event.control == ControlId::Apply)
        return applyNewMelodyDialog(editor);
    return StepKind::None;
}

// What the event made, for the undo step the pass may record.
StepKind dispatch(EditorContext& editor, const Event& event) {
    if (event.window == WindowId::Main) return onMainWindow(editor, event);
    if (event.window == WindowId::NewMelody) return onNewMelodyDialog(editor, event);
    if (event.window == WindowId::Code) onCodeWindow(editor, event);
    return StepKind::None;
}

// The checks that run on every pass, event or not, in this order; a paste is carried out here.
StepKind runPassChecks(EditorContext& editor) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    showPlaybackEnded(state.playback, ui);
    switchPanMode(editor);
    scrollBarDragStep(editor);
    if (state.shell.popupRequested != 0) {
        ui.showPopupMenu(MenuId::Column);
        state.shell.popupRequested = 0;
    }
    StepKind made = StepKind::None;
    if (state.shell.pasteMode != 0 && state.selection.selectionActive != 0) made = runPaste(editor);
    // Scrolling or panning by hand ends following until the next playback.
    if (state.view.hScrollDrag != 0 || state.view.vScrollDrag != 0 || state.view.panning != 0)
        state.playback.isFollowing = false;
    showPlaybackCursor(editor);
    showEditCursor(editor);
    showPointerReadout(editor);
    return made;
}

} // namespace

void eventStep(EditorContext& editor) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    const Point pointer = ui.pointer();
    state.view.pointerX = pointer.x;
    state.view.pointerY = pointer.y;
    if (pointer.x == -1) {
        state.view.hScrollDrag = 0;
        state.view.vScrollDrag = 0;
    }
    // A window moved to a screen of another scale is drawn again at that scale, same zoom.
    if (ui.devicePixelRatio() != state.view.devicePixelRatio) relayout(editor);
    const bool wasStrokeOpen = state.stroke.strokeFirst >= 0;
    endPressIfButtonUp(editor);
    // While a melody plays the pass also moves the cursor, often enough to look smooth.
    const Event event = ui.waitEvent(state.playback.isPlayingShown ? CursorFrameMs : EventWaitMs);
    if (event.kind != EventKind::None) keepStepSelection(editor);
    if (event.kind == EventKind::EndRequest) {
        state.shell.isEndRequested = true;
        state.shell.quitRequested = 1;
    } else if (event.kind != EventKind::None) {
        // A drag goes on with the step that its press began.
        nameStep(state.shell, dispatch(editor, event), event.kind == EventKind::PointerMove);
    }
    nameStep(state.shell, runPassChecks(editor), false);
    // Only input changes the melody; a pass without any has nothing to record.
    if (event.kind != EventKind::None || wasStrokeOpen) recordStep(editor);
}

} // namespace vemo
