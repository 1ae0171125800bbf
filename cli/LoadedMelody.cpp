#include "cli/LoadedMelody.h"

#include "model/Marks.h"
#include "model/PitchTable.h"

namespace vemo {

LoadedMelody loadedMelody(DecodedMelody&& decoded) {
    LoadedMelody loaded;
    Melody& melody = loaded.melody;
    melody.lastColumn = decoded.lastColumn;
    melody.lastRow = decoded.lastRow;
    melody.columnDuration = decoded.columnDuration;
    melody.grid = std::move(decoded.grid);
    melody.marks = std::move(decoded.marks);
    melody.markTotal = sumOfMarks(melody.marks);
    buildPitchTable(loaded.pitch, StartOctaveShift, melody.lastRow);
    return loaded;
}

} // namespace vemo
