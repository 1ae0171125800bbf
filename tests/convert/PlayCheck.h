#pragma once

// What every text must satisfy, shared by the fuzzer and the corpus replay: refused with a
// reason, or imported at every grid step as a melody the editor can hold, whose tones written
// back as PLAY read in again as the same notes column for column, each moved into PLAY's octaves.

#include "convert/PlayImport.h"
#include "convert/PlayParser.h"
#include "convert/PlayTarget.h"
#include "tests/convert/RtttlCheck.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo::test {

// The semitone PLAY writes for each column's note from the first note to the last, -1 for none.
inline std::vector<std::int32_t> playedSemitones(const MelodyImport& imported) {
    std::vector<std::int32_t> semitones;
    for (const std::int32_t row : noteRows(imported.melody))
        semitones.push_back(
            row < 0 ? -1 : playSemitone(rowFrequency(imported.melody, imported.pitch, row)));
    return semitones;
}

inline std::string playProblem(std::string_view text) {
    return readBackProblem(
        text, parsePlay, importPlay,
        [](const PlaySong&, const ToneList& tones, std::int32_t columnMs, std::int32_t grid) {
            return std::pair{joinedLines(playText({tones, columnMs, 0, grid, "again"})), grid};
        },
        playedSemitones);
}

} // namespace vemo::test
