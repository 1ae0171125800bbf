#include "convert/FmfFile.h"
#include "convert/NotePlan.h"

#include <cmath>

namespace vemo {

namespace {

// The Flipper's pitches: C4 is 261.63 Hz, each semitone the twelfth root of two above the last.
constexpr double FlipperC4 = 261.63;
constexpr std::int32_t C4 = 60;

NoteRules fmfRules() {
    // Octave digits 1 to 16; any dot count after the octave, of which five reach every length.
    return {.shortestValue = MaxFmfValue,
            .maxDots = 5,
            .dotsInDefaultOctaveOnly = false,
            .maxTempo = MaxFmfTempo,
            .lowestSemitone = 24,
            .highestSemitone = (MaxFmfOctave + 2) * 12 - 1,
            .lowestDefaultOctave = 1,
            .highestDefaultOctave = MaxFmfOctave};
}

} // namespace

std::vector<std::string> fmfText(const TargetInput& input) {
    if (input.tones.empty()) return {};
    const NotePlan plan = planNotes(input, fmfRules());
    std::string notes = "Notes: ";
    for (std::size_t index = 0; index < plan.notes.size(); ++index)
        notes += (index == 0 ? "" : ", ") + noteItem(plan, plan.notes[index], true);
    return {std::string(FmfFileType),
            "Version: 0",
            "BPM: " + std::to_string(plan.tempo),
            "Duration: " + std::to_string(plan.defaultValue),
            "Octave: " + std::to_string(plan.defaultOctave),
            notes};
}

std::vector<TargetProblem> fmfCheck(const TargetInput& input) {
    const NotePlan plan = planNotes(input, fmfRules());
    std::vector<TargetProblem> problems;
    if (auto split = tonesSplit(input, splitTones(plan), "Flipper Music Format", ""))
        problems.push_back(*split);
    if (auto late = lengthChanged(input, fmfSound(input), "The Flipper",
                                  "counts whole beats a minute and whole milliseconds, BPM " +
                                      std::to_string(plan.tempo)))
        problems.push_back(*late);
    return problems;
}

ToneList fmfSound(const TargetInput& input) {
    const NotePlan plan = planNotes(input, fmfRules());
    ToneList tones;
    for (const PlannedNote& note : plan.notes) {
        // The player waits for the tick count the note's length reaches, cut to whole ms.
        const auto ms = static_cast<std::int32_t>(std::floor(exactNoteMs(plan, note.length)));
        if (note.semitone == RestSemitone) {
            tones.push_back({0, 1, ms});
            continue;
        }
        const double hz = FlipperC4 * std::exp2((note.semitone - C4) / 12.0);
        tones.push_back({static_cast<std::int32_t>(std::lround(hz)), 0, ms});
    }
    return tones;
}

} // namespace vemo
