#include "convert/PlayImport.h"

namespace vemo {

namespace {

constexpr double WholeNoteMs = 4 * 60000.0; // four quarter notes at one a minute

} // namespace

MelodyImport importPlay(const PlaySong& song, std::int32_t gridStep) {
    if (!isGridStep(gridStep)) gridStep = DefaultGridStep;
    const std::int32_t firstTempo = song.notes.empty() ? 120 : song.notes.front().tempo;
    const double columnMs = WholeNoteMs / firstTempo / gridStep;
    std::vector<TimedNote> timed;
    timed.reserve(song.notes.size());
    double elapsedMs = 0.0;
    bool joinsNext = false;
    for (std::size_t index = 0; index < song.notes.size(); ++index) {
        const PlayNote& note = song.notes[index];
        const double start = elapsedMs / columnMs;
        elapsedMs += note.wholes * WholeNoteMs / note.tempo;
        const double end = elapsedMs / columnMs;
        const bool isRest = note.semitone == PlayRest;
        if (joinsNext && !isRest && timed.back().semitone == note.semitone)
            timed.back().end = end;
        else
            timed.push_back({isRest ? NoSemitone : note.semitone, start, end, index + 1});
        joinsNext = note.isLegato;
    }
    return placeNotes(timed, columnMs, gridStep, song.notes.size());
}

} // namespace vemo
