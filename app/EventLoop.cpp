#include "app/EventLoop.h"

#include "app/CodeWindow.h"
#include "app/Commands.h"
#include "app/Layout.h"
#include "app/UndoCommands.h"
#include "platform/Ids.h"
#include "app/PlaybackCommands.h"
#include "sound/Playback.h"
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

void onMainWindow(EditorContext& editor, const Event& event) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    switch (event.kind) {
    case EventKind::Close:
        if (ui.messageBox("please confirm", "exit program?", true)) state.shell.quitRequested = 1;
        return;
    case EventKind::Size:
        relayout(editor);
        return;
    case EventKind::Command:
        runCommand(editor, event.command);
        return;
    case EventKind::Control:
        if (event.control == ControlId::DurationSpin) {
            state.melody.columnDuration = ui.spinValue(ControlId::DurationSpin);
            state.shell.stepName = "duration";
        } else if (event.control == ControlId::VerImage && event.type == LeftClick)
            state.view.hScrollDrag = 1;
        else if (event.control == ControlId::HorImage && event.type == LeftClick)
            state.view.vScrollDrag = 1;
        else if (event.control == ControlId::MainImage &&
                 (event.type == LeftClick || event.type == RightClick)) {
            state.shell.stepName = event.type == LeftClick ? "notes" : "erase";
            gridClick(editor, event.type);
        }
        return;
    case EventKind::LeftRelease:
        leftButtonReleased(editor);
        return;
    case EventKind::PointerMove:
        // A right drag erases without a click first.
        if (state.shell.stepName.empty())
            state.shell.stepName = isDownNow(ui, Key::RightButton) ? "erase" : "notes";
        pointerMoved(editor);
        return;
    case EventKind::CtrlWheel:
        zoomAtPointer(editor, event.steps);
        return;
    case EventKind::None:
    case EventKind::EndRequest:
        return;
    }
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
void onNewMelodyDialog(EditorContext& editor, const Event& event) {
    const bool isClick = event.kind == EventKind::Control && event.type == LeftClick;
    if (event.kind == EventKind::Close || (isClick && event.control == ControlId::Cancel))
        editor.platform.ui.hideWindow(WindowId::NewMelody);
    else if (isClick && event.control == ControlId::Apply)
        applyNewMelodyDialog(editor);
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
        if (event.window == WindowId::Main)
            onMainWindow(editor, event);
        else if (event.window == WindowId::Code)
            onCodeWindow(editor, event);
        else if (event.window == WindowId::NewMelody)
            onNewMelodyDialog(editor, event);
    }
    showPlaybackEnded(state.playback, ui);
    switchPanMode(editor);
    scrollBarDragStep(editor);
    if (state.shell.popupRequested != 0) {
        ui.showPopupMenu(MenuId::Column);
        state.shell.popupRequested = 0;
    }
    if (state.shell.pasteMode != 0 && state.selection.selectionActive != 0) runPaste(editor);
    // Scrolling or panning by hand ends following until the next playback.
    if (state.view.hScrollDrag != 0 || state.view.vScrollDrag != 0 || state.view.panning != 0)
        state.playback.isFollowing = false;
    showPlaybackCursor(editor);
    showPointerReadout(editor);
    // Only input changes the melody; a pass without any has nothing to record.
    if (event.kind != EventKind::None || wasStrokeOpen) recordStep(editor);
}

} // namespace vemo
