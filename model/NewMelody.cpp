#include "model/NewMelody.h"

#include "model/Geometry.h"
#include "model/Marks.h"

namespace vemo {

namespace {

constexpr double ScrollAtStart = 0.0;
constexpr double ScrollAtMiddle = 0.5;

} // namespace

void resetSelectionAndView(EditorState& state) {
    Selection& selection = state.selection;
    selection.selectionActive = 0;
    selection.selectionFirst = 0;
    selection.selectionLast = state.melody.lastColumn;
    updateSelectionEdges(state.melody, selection);
    // A stroke of the old melody may be open when its release was lost; it must not reach
    // into the new one.
    state.stroke.strokeFirst = -1;
    state.view.horizontalScroll = ScrollAtStart;
    state.view.verticalScroll = ScrollAtMiddle;
}

void startEmptyMelody(EditorState& state) {
    Melody& melody = state.melody;
    melody.grid.reset(melody.lastColumn + 1, melody.lastRow + 1);
    melody.marks.assign(static_cast<std::size_t>(melody.lastColumn) + 1, 0);
    computeMarks(melody);
    computeGeometry(melody);
    carryClipboard(state.clipboard, melody.previousLastColumn, melody.lastColumn, melody.lastRow);
    resetSelectionAndView(state);
}

void setNewDimensions(Melody& melody, std::int32_t width, std::int32_t smallBlock,
                      std::int32_t largeBlock) {
    melody.previousLastColumn = melody.lastColumn;
    melody.lastColumn = width - 1;
    melody.smallBlock = smallBlock;
    melody.largeBlock = largeBlock;
}

} // namespace vemo
