#pragma once

#include "model/Melody.h"

#include <cstdint>

namespace vemo {

// Bits of pasteMode: which part of the clipboard columns a paste writes.
constexpr std::int32_t PasteNotes = 2;
constexpr std::int32_t PasteLayout = 4;

// The internal clipboard: a copy of the whole grid and marks, and the columns that were copied.
struct Clipboard {
    CellGrid clipboardGrid;
    ColumnMarks clipboardMarks;
    std::int32_t clipboardFirst = 0;
    std::int32_t clipboardLast = 0;
};

// Snapshots the whole grid and all marks and remembers the selected columns; changes nothing on
// screen.
void copySelection(const Melody& melody, const Selection& selection, Clipboard& clipboard);
// Writes the clipboard columns at selectionFirst, cut at the last column; the selection shrinks
// to the written columns. The caller resets its pasteMode and redraws the grid afterwards.
void pasteClipboard(Melody& melody, Selection& selection, const Clipboard& clipboard,
                    std::int32_t pasteMode);

// Moves the copied columns into a clipboard of the new width: they start at column 0 and keep
// only what fits. clipboardGrid still has previousLastColumn + 1 columns on entry.
void carryClipboard(Clipboard& clipboard, std::int32_t previousLastColumn, std::int32_t lastColumn,
                    std::int32_t lastRow);

} // namespace vemo
