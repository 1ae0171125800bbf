#include "convert/RtttlImport.h"

#include <algorithm>

namespace vemo {

namespace {

// Song positions in 1/64 of a whole note: every note value and its dotted form is whole.
constexpr std::int64_t UnitsPerWhole = 64;
constexpr double WholeNoteMinutes = 4.0; // a whole note is four beats
constexpr double MsPerMinute = 60000.0;

std::int64_t noteUnits(const RtttlNote& note) {
    const std::int64_t units = UnitsPerWhole / std::max(note.value, 1);
    return note.isDotted ? units * 3 / 2 : units;
}

} // namespace

MelodyImport importRtttl(const RtttlSong& song, std::int32_t gridStep) {
    if (!isGridStep(gridStep)) gridStep = DefaultGridStep;
    const double wholeMs = WholeNoteMinutes * MsPerMinute / std::max(song.tempo, 1);
    // Positions in columns stay exact: a column is a power-of-two share of the whole note.
    const double unitsPerColumn = static_cast<double>(UnitsPerWhole / gridStep);
    std::vector<TimedNote> timed;
    timed.reserve(song.notes.size());
    std::int64_t position = 0;
    for (const RtttlNote& note : song.notes) {
        const std::int64_t start = position;
        position += noteUnits(note);
        timed.push_back({note.semitone == RtttlRest ? NoSemitone : note.semitone,
                         static_cast<double>(start) / unitsPerColumn,
                         static_cast<double>(position) / unitsPerColumn, timed.size() + 1});
    }
    return placeNotes(timed, wholeMs / gridStep, gridStep, song.notes.size());
}

} // namespace vemo
