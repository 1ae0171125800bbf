#include "app/NewMelodyCommand.h"

#include "model/NewMelody.h"
#include "platform/Ids.h"
#include "view/Redraw.h"

namespace vemo {

void showSelectionReset(Ui& ui) {
    ui.setButtonPressed(CommandId::ToggleSelection, false);
}

void newMelody(EditorState& state, const CellBitmaps& bitmaps, Platform& platform) {
    startEmptyMelody(state);
    showSelectionReset(platform.ui);
    redraw(state, bitmaps, platform, RedrawMain);
    platform.ui.setWindowTitle(WindowId::Main, UntitledTitle);
}

void applyNewMelody(EditorState& state, const CellBitmaps& bitmaps, Platform& platform,
                    std::int32_t width, std::int32_t smallBlock, std::int32_t largeBlock) {
    setNewDimensions(state.melody, width, smallBlock, largeBlock);
    newMelody(state, bitmaps, platform);
    redraw(state, bitmaps, platform, RedrawVer | RedrawHor | RedrawMain);
    platform.ui.hideWindow(WindowId::NewMelody);
}

} // namespace vemo
