#include "app/EditCommands.h"

#include "model/Clipboard.h"
#include "model/Columns.h"
#include "platform/Ids.h"
#include "view/Redraw.h"

namespace vemo {

namespace {

bool isSelectionInUse(const EditorContext& editor) {
    return editor.state.selection.selectionActive != 0;
}

StepKind redrawGrid(EditorContext& editor, StepKind made) {
    redraw(editor, RedrawMain);
    return made;
}

} // namespace

StepKind takeSelectionToggle(EditorContext& editor) {
    editor.state.selection.selectionActive =
        editor.platform.ui.isButtonPressed(CommandId::ToggleSelection) ? 1 : 0;
    return redrawGrid(editor, StepKind::None);
}

StepKind flipSelectionToggle(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    ui.setButtonPressed(CommandId::ToggleSelection,
                        !ui.isButtonPressed(CommandId::ToggleSelection));
    return takeSelectionToggle(editor);
}

StepKind copyColumns(EditorContext& editor) {
    EditorState& state = editor.state;
    if (isSelectionInUse(editor)) copySelection(state.melody, state.selection, state.clipboard);
    return StepKind::None;
}

StepKind offerPaste(EditorContext& editor) {
    if (isSelectionInUse(editor) && editor.state.shell.pasteMode == 0)
        editor.platform.ui.showPopupMenu(MenuId::Paste);
    return StepKind::None;
}

StepKind runPaste(EditorContext& editor) {
    EditorState& state = editor.state;
    const std::int32_t mode = state.shell.pasteMode;
    pasteClipboard(state.melody, state.selection, state.clipboard, mode);
    state.shell.pasteMode = 0;
    return redrawGrid(editor, mode == PasteNotes    ? StepKind::NotesPasted
                              : mode == PasteLayout ? StepKind::LayoutPasted
                                                    : StepKind::NotesAndLayoutPasted);
}

StepKind clearColumns(EditorContext& editor) {
    if (!isSelectionInUse(editor)) return StepKind::None;
    clearSelection(editor.state.melody, editor.state.selection);
    return redrawGrid(editor, StepKind::Clear);
}

StepKind insertColumnAtMenu(EditorContext& editor) {
    EditorState& state = editor.state;
    insertColumn(state.melody, state.selection, state.shell.popupColumn);
    return redrawGrid(editor, StepKind::InsertColumn);
}

StepKind deleteColumnAtMenu(EditorContext& editor) {
    EditorState& state = editor.state;
    deleteColumn(state.melody, state.selection, state.shell.popupColumn);
    return redrawGrid(editor, StepKind::DeleteColumn);
}

StepKind transpose(EditorContext& editor, std::int32_t rowChange) {
    EditorState& state = editor.state;
    const std::string refusal = transposeNotes(state.melody, state.selection, rowChange);
    if (!refusal.empty()) {
        editor.platform.ui.messageBox("transpose", "can't transpose: " + refusal, false);
        return StepKind::Transpose;
    }
    return redrawGrid(editor, StepKind::Transpose);
}

} // namespace vemo
