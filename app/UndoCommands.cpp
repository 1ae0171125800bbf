#include "app/UndoCommands.h"

#include "platform/Ids.h"
#include "view/KeyQueries.h"
#include "view/Redraw.h"

namespace vemo {

namespace {

void showHistory(Ui& ui, const History& history) {
    ui.setButtonEnabled(CommandId::Undo, history.canUndo());
    ui.setButtonEnabled(CommandId::Redo, history.canRedo());
    const std::string undoName = history.undoName();
    const std::string redoName = history.redoName();
    ui.setButtonTooltip(CommandId::Undo, undoName.empty() ? "undo" : "undo: " + undoName);
    ui.setButtonTooltip(CommandId::Redo, redoName.empty() ? "redo" : "redo: " + redoName);
}

bool isEditOpen(EditorContext& editor) {
    return editor.state.stroke.strokeFirst >= 0 || isDownNow(editor.platform.ui, Key::RightButton);
}

void showFrame(EditorContext& editor, const MelodyFrame& frame) {
    Ui& ui = editor.platform.ui;
    ui.setSpinValue(ControlId::DurationSpin, frame.columnDuration);
    ui.setWindowTitle(WindowId::Main, frame.title);
    redraw(editor, RedrawVer + RedrawHor + RedrawMain);
    showHistory(ui, editor.state.history);
}

} // namespace

void startHistory(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    editor.state.shell.pendingStep = StepKind::None;
    editor.state.history.reset(editor.state, ui.windowTitle(WindowId::Main));
    showHistory(ui, editor.state.history);
}

void recordStep(EditorContext& editor) {
    if (isEditOpen(editor)) return;
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    const bool isTypedNote = state.shell.pendingStep == StepKind::TypedNote;
    const std::string name = isTypedNote ? "type " + state.shell.typedNote
                                         : std::string(stepName(state.shell.pendingStep));
    state.shell.pendingStep = StepKind::None;
    if (state.history.commit(state, ui.windowTitle(WindowId::Main), name,
                             editor.platform.runtime.nowMs()))
        showHistory(ui, state.history);
}

void nameStep(Shell& shell, StepKind kind, bool isDrag) {
    if (kind == StepKind::None || (isDrag && shell.pendingStep != StepKind::None)) return;
    shell.pendingStep = kind;
}

void keepStepSelection(EditorContext& editor) {
    if (editor.state.stroke.strokeFirst < 0)
        editor.state.history.keepSelection(editor.state.selection);
}

void undoStep(EditorContext& editor) {
    // Half a stroke is no step yet: it cannot be undone before it ends.
    if (isEditOpen(editor)) return;
    recordStep(editor);
    if (!editor.state.history.canUndo()) return;
    showFrame(editor, editor.state.history.undo(editor.state));
}

void redoStep(EditorContext& editor) {
    if (isEditOpen(editor)) return;
    recordStep(editor);
    if (!editor.state.history.canRedo()) return;
    showFrame(editor, editor.state.history.redo(editor.state));
}

} // namespace vemo
