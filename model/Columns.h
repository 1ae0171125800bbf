#pragma once

#include "model/Melody.h"
#include "model/PitchTable.h"

#include <string>

namespace vemo {

// Whole columns: none of these draw; the caller redraws the grid afterwards.

// An empty column at popupColumn; later columns move one to the right, the last one falls off.
void insertColumn(Melody& melody, Selection& selection, std::int32_t popupColumn);
// Removes popupColumn; later columns move one to the left, the last column comes in empty.
void deleteColumn(Melody& melody, Selection& selection, std::int32_t popupColumn);
// Empties the selected columns; held tones running in from either side end at the border.
void clearSelection(Melody& melody, const Selection& selection);
// Moves the notes of the selected columns (all columns when the selection is not in use) by
// rowChange rows, a negative change towards the top (higher pitch). Ties move with their notes;
// ties across the edges of the moved columns end there when the rows part. When a note would
// leave the grid nothing moves and the reason is returned; an empty text means done.
std::string transposeNotes(Melody& melody, const Selection& selection, std::int32_t rowChange);

// Moves each note of the selected columns (all columns when the selection is not in use) whose
// row sounds outside lowestHz … highestHz by whole octaves towards them, as far as the grid
// reaches; a tied chain sounds one pitch, so it moves whole. Gives how many notes moved.
std::int32_t fitNotesByOctaves(Melody& melody, const Pitch& pitch, const Selection& selection,
                               double lowestHz, double highestHz);

} // namespace vemo
