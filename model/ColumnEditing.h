#pragma once

#include "model/EditorState.h"

#include <string>

namespace vemo {

// Bits of pasteMode: which part of the clipboard columns a paste writes.
constexpr std::int32_t PasteNotes = 2;
constexpr std::int32_t PasteLayout = 4;

// None of these draw. After insertColumn, deleteColumn, clearSelection and pasteClipboard the
// caller redraws RedrawMain; copySelection changes nothing on screen.

// An empty column at popupColumn; later columns move one to the right, the last one falls off.
void insertColumn(Melody& melody, Selection& selection, std::int32_t popupColumn);
// Removes popupColumn; later columns move one to the left, the last column comes in empty.
void deleteColumn(Melody& melody, Selection& selection, std::int32_t popupColumn);
// Empties the selected columns; held tones running in from either side end at the border.
void clearSelection(Melody& melody, const Selection& selection);
// Snapshots the whole grid and all marks and remembers the selected columns.
void copySelection(const Melody& melody, const Selection& selection, Clipboard& clipboard);
// Writes the clipboard columns at selectionFirst, cut at the last column; the selection shrinks
// to the written columns. The caller resets its pasteMode afterwards.
void pasteClipboard(Melody& melody, Selection& selection, const Clipboard& clipboard,
                    std::int32_t pasteMode);

// Moves the notes of the selected columns (all columns when the selection is not in use) by
// rowChange rows, a negative change towards the top (higher pitch). Ties move with their notes;
// ties across the edges of the moved columns end there when the rows part. When a note would
// leave the grid nothing moves and the reason is returned; an empty text means done.
std::string transposeNotes(Melody& melody, const Selection& selection, std::int32_t rowChange);

} // namespace vemo
