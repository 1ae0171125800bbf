#pragma once

// What every MIDI file must satisfy, shared by the fuzzer and the corpus replay: refused with a
// reason, or imported for its voices at every grid step and by both overlap rules as a melody
// the editor can hold, whose tones written back as MIDI read in again as the same notes.

#include "convert/MidiImport.h"
#include "sound/ToneList.h"
#include "tests/convert/RtttlCheck.h"

#include <span>
#include <string>

namespace vemo::test {

inline ToneList tonesOf(const MelodyImport& imported) {
    return buildToneList(imported.melody, imported.pitch, melodyRange(imported.melody, {}));
}

inline std::string midiProblem(std::span<const std::uint8_t> bytes) {
    const MidiParse parsed = parseMidi(bytes);
    if (!parsed.song) return parsed.reason.empty() ? "refused without a reason" : "";
    if (!parsed.reason.empty()) return "accepted with a reason";
    const MidiSong& song = *parsed.song;
    if (!song.voices.empty() && defaultVoice(song) >= song.voices.size())
        return "the default voice is not one of the file's";
    // Two voices, each grid step once and both rules, are enough: the rest take the same code.
    for (std::size_t voice = 0; voice < std::min<std::size_t>(song.voices.size(), 2); ++voice)
        for (const std::int32_t grid : {8, 16, 32}) {
            const OverlapRule rule = grid == 16 ? OverlapRule::Latest : OverlapRule::Highest;
            const MelodyImport imported = importMidi(song, {voice, grid, rule});
            if (const std::string problem = holdableProblem(imported.melody); !problem.empty())
                return problem;
            const std::vector<std::uint8_t> written =
                writeMidi(tonesOf(imported), imported.melody.columnDuration, "again");
            const MidiParse again = parseMidi(written);
            if (!again.song) return "its own output is refused: " + again.reason;
            const MelodyImport back = importMidi(*again.song, {0, DefaultGridStep, rule});
            if (noteRows(back.melody) != noteRows(imported.melody))
                return "written and read again it changes, at grid " + std::to_string(grid);
        }
    return {};
}

} // namespace vemo::test
