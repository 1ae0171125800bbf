#include "app/NewMelodyCommand.h"

#include "app/Titles.h"
#include "model/NewMelody.h"
#include "platform/Ids.h"
#include "view/Redraw.h"

namespace vemo {

void showSelectionReset(Ui& ui) {
    ui.setButtonPressed(CommandId::ToggleSelection, false);
}

void newMelody(EditorContext& editor) {
    startEmptyMelody(editor.state);
    Ui& ui = editor.platform.ui;
    showSelectionReset(ui);
    redraw(editor, RedrawMain);
    ui.setWindowTitle(WindowId::Main, UntitledTitle);
    ++editor.state.shell.fileGeneration;
}

void applyNewMelody(EditorContext& editor, std::int32_t width, std::int32_t smallBlock,
                    std::int32_t largeBlock) {
    setNewDimensions(editor.state.melody, width, smallBlock, largeBlock);
    newMelody(editor);
    redraw(editor, RedrawVer | RedrawHor | RedrawMain);
    editor.platform.ui.hideWindow(WindowId::NewMelody);
}

StepKind applyNewMelodyDialog(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    applyNewMelody(editor, ui.spinValue(ControlId::WidthSpin),
                   ui.spinValue(ControlId::SmallBlockSpin),
                   ui.spinValue(ControlId::LargeBlockSpin));
    return StepKind::NewMelody;
}

} // namespace vemo
