#include "model/ColumnEditing.h"

#include "model/Geometry.h"
#include "model/Joins.h"
#include "model/Marks.h"

namespace vemo {

void copySelection(const Melody& melody, const Selection& selection, Clipboard& clipboard) {
    // The whole grid, not just the selection: later pastes read only the remembered columns,
    // and a paste over its own source still sees the content from before.
    clipboard.clipboardGrid = melody.grid;
    clipboard.clipboardMarks = melody.marks;
    clipboard.clipboardFirst = selection.selectionFirst;
    clipboard.clipboardLast = selection.selectionLast;
}

void pasteClipboard(Melody& melody, Selection& selection, const Clipboard& clipboard,
                    std::int32_t pasteMode) {
    const bool pastesNotes = (pasteMode & PasteNotes) != 0;
    const bool pastesLayout = (pasteMode & PasteLayout) != 0;
    const std::int32_t targetFirst = selection.selectionFirst;
    const std::int32_t sourceFirst = clipboard.clipboardFirst;
    const std::int32_t sourceLastColumn = clipboard.clipboardGrid.columnCount() - 1;
    std::int32_t pastedCount = 0;
    for (std::int32_t i = 0; i <= clipboard.clipboardLast - sourceFirst; ++i) {
        const std::int32_t target = targetFirst + i;
        const std::int32_t source = sourceFirst + i;
        if (target > melody.lastColumn || source > sourceLastColumn) break;
        if (pastesNotes) melody.grid.copyColumnNotes(clipboard.clipboardGrid, source, target);
        // The first target column keeps its own mark, so the block it starts (or not) stays.
        if (i >= 1 && pastesLayout) melody.marks[target] = clipboard.clipboardMarks[source];
        ++pastedCount;
    }
    // A clipboard without a column to give still leaves the first target column selected.
    selection.selectionLast = targetFirst + (pastedCount > 0 ? pastedCount - 1 : 0);
    if (pastesNotes && pastedCount > 0) {
        cutJoinsAfter(melody, targetFirst - 1);
        cutJoinsAfter(melody, selection.selectionLast);
        // cutJoinsAfter leaves the grid's outer edges alone; no flag may point out of it.
        for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
            melody.grid.at(targetFirst, r).joinLeft = 0;
            melody.grid.at(selection.selectionLast, r).joinRight = 0;
        }
    }
    melody.markTotal = sumOfMarks(melody.marks);
    computeGeometry(melody);
    updateSelectionEdges(melody, selection);
}

} // namespace vemo
