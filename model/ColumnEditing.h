#pragma once

#include "model/EditorState.h"

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

} // namespace vemo
