#include "model/Clipboard.h"

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

} // namespace vemo
