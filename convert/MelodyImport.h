#pragma once

#include "model/PitchTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

// Grid steps a column may stand for: 1/8, 1/16 or 1/32 of a whole note.
constexpr std::array<std::int32_t, 3> GridSteps = {8, 16, 32};
constexpr std::int32_t DefaultGridStep = 16;
bool isGridStep(std::int32_t step);

struct MelodyImport {
    Melody melody; // grid, marks and dimensions; the geometry is left to the editor
    Pitch pitch;   // the table the rows were matched against
    // How far a note lands from where the song has it, in the song's own column time: the tempo
    // rounding below is told apart.
    std::int32_t largestSnapErrorMs = 0;
    // One grid step in the song's time; the melody's column is this rounded to whole ms. 0 for a
    // melody file, which has no other time.
    double exactColumnMs = 0.0;
    std::int32_t octaveMovedNotes = 0;
    std::string warning; // empty unless the melody had to be cut
    // Notes that end where they start (drum tracks and some exporters write them): never heard.
    std::int32_t unheardNotes = 0;
};

// "tempo rounded: 104 ms per column for a grid step of 104.17 ms, 0.16 % faster"; empty when
// the rounding changes the tempo by less than the 0.01 % it would show.
std::string tempoRoundingReport(const MelodyImport& imported);

constexpr std::int32_t NoSemitone = -1;

// A note or rest of an imported song, its times counted in columns before snapping.
struct TimedNote {
    std::int32_t semitone = NoSemitone; // MIDI numbering; NoSemitone for a rest
    double start = 0.0;
    double end = 0.0;
    std::size_t number = 0;     // its place in the song, from 1, for the cut warning
    bool isResumed = false;     // the rest of a note another one interrupted
    bool isInterrupted = false; // cut off by another note while it still sounded
};

// Each note starts at the column nearest to its time, never before the previous note ends; a
// note over several columns is one tied chain; the next note, even of the same pitch, starts a
// chain of its own. A resumed or interrupted part that snaps to nothing is dropped, so a
// chord struck a little unevenly gives its one sounding note. Pitches outside the grid's
// eight octaves move by whole octaves into it and then take the row whose frequency lies
// nearest. The width fits the song: 32 columns at least, 4096 at most; `songNotes` is the count
// the cut warning names.
MelodyImport placeNotes(const std::vector<TimedNote>& notes, double exactColumnMs,
                        std::int32_t gridStep, std::size_t songNotes);

} // namespace vemo
