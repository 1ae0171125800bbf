#pragma once

#include "convert/RtttlParser.h"
#include "model/EditorState.h"

#include <cstdint>
#include <string>

namespace vemo {

// Grid steps a column may stand for: 1/8, 1/16 or 1/32 of a whole note.
constexpr std::int32_t DefaultGridStep = 16;
bool isGridStep(std::int32_t step);

struct MelodyImport {
    Melody melody; // grid, marks and dimensions; the geometry is left to the editor
    Pitch pitch;   // the table the rows were matched against
    std::int32_t largestSnapErrorMs = 0;
    std::int32_t octaveMovedNotes = 0;
    std::string warning; // empty unless the melody had to be cut
};

// One column is one grid step at the song's tempo, rounded to whole milliseconds (1-999). Each
// note starts at the column nearest to its place in the song, never before the previous note
// ends; a note over several columns is one tied chain; a note of the pitch just played starts
// a chain of its own. Pitches outside the grid's eight octaves move by whole octaves into it
// and then take the row whose frequency lies nearest. The width fits the song: 32 columns at
// least, 4096 at most.
MelodyImport importRtttl(const RtttlSong& song, std::int32_t gridStep = DefaultGridStep);

} // namespace vemo
