#include "view/Redraw.h"

#include "platform/Ids.h"
#include "sound/Playback.h"
#include "view/EditStep.h"
#include "view/GridPass.h"
#include "view/ScrollBars.h"

namespace vemo {

namespace {

void redrawGrid(EditorState& state, const CellBitmaps& bitmaps, Platform& platform,
                std::int32_t flags) {
    EditOutcome outcome;
    if ((flags & (EditLeft | EditRight)) != 0) {
        const std::int32_t editFlag = (flags & EditLeft) != 0 ? EditLeft : EditRight;
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
        paintGrid(state, bitmaps, [&](std::int32_t column, std::int32_t row) {
            const EditOutcome cellOutcome =
                editStep(state, platform, column, row, editFlag, offsets);
            if (cellOutcome.previewFrequencyHz != 0) outcome = cellOutcome;
        });
    } else {
        paintGrid(state, bitmaps);
    }
    platform.ui.showImage(ControlId::MainImage, state.view.mainArea.image);
    platform.runtime.sleepMs(GridPauseMs);
    // The preview of an edit sounds only after its picture is on screen.
    if (outcome.previewFrequencyHz != 0)
        startPreview(state.playback, platform, outcome.previewFrequencyHz,
                     state.melody.columnDuration);
}

} // namespace

void redraw(EditorState& state, const CellBitmaps& bitmaps, Platform& platform,
            std::int32_t flags) {
    if ((flags & RedrawVer) != 0) {
        paintVerBar(state.view);
        platform.ui.showImage(ControlId::VerImage, state.view.verArea.image);
    }
    if ((flags & RedrawHor) != 0) {
        paintHorBar(state.view);
        platform.ui.showImage(ControlId::HorImage, state.view.horArea.image);
    }
    if ((flags & RedrawMain) != 0) redrawGrid(state, bitmaps, platform, flags);
}

} // namespace vemo
