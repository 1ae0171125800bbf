#include "model/NewMelody.h"

#include "model/Geometry.h"
#include "model/Marks.h"

namespace vemo {

namespace {

constexpr double ScrollAtStart = 0.0;
constexpr double ScrollAtMiddle = 0.5;

} // namespace

void carryClipboard(Clipboard& clipboard, std::int32_t previousLastColumn, std::int32_t lastColumn,
                    std::int32_t lastRow) {
    std::int32_t count = 0;
    while (count <= lastColumn && clipboard.clipboardFirst + count <= previousLastColumn &&
           clipboard.clipboardFirst + count <= clipboard.clipboardLast)
        ++count;
    // The carried columns go aside first, so the clipboard's own storage can be reused.
    CellGrid carried(count, lastRow + 1);
    ColumnMarks carriedMarks(static_cast<std::size_t>(count), 0);
    const CellGrid& oldGrid = clipboard.clipboardGrid;
    for (std::int32_t k = 0; k < count; ++k) {
        const std::int32_t from = clipboard.clipboardFirst + k;
        // A clipboard that was never allocated reads as empty columns.
        if (from >= oldGrid.columnCount()) continue;
        carried.copyColumnNotes(oldGrid, from, k);
        if (static_cast<std::size_t>(from) < clipboard.clipboardMarks.size())
            carriedMarks[k] = clipboard.clipboardMarks[from];
    }
    clipboard.clipboardGrid.reset(lastColumn + 1, lastRow + 1);
    clipboard.clipboardMarks.assign(static_cast<std::size_t>(lastColumn) + 1, 0);
    for (std::int32_t k = 0; k < count; ++k) {
        clipboard.clipboardGrid.copyColumnNotes(carried, k, k);
        clipboard.clipboardMarks[k] = carriedMarks[k];
    }
    clipboard.clipboardFirst = 0;
    clipboard.clipboardLast = count - 1;
}

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
