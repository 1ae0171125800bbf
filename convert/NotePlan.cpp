#include "convert/NotePlan.h"

#include "convert/EqualTemper.h"
#include "convert/MelodyImport.h"
#include "model/Melody.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>

namespace vemo {

namespace {

constexpr double WholeNoteBeatMs = 4 * 60000.0; // four quarter notes a minute apart
constexpr std::int32_t SemitonesPerOctave = 12;

std::int32_t tempoFor(std::int32_t columnDuration, std::int32_t columnValue) {
    return static_cast<std::int32_t>(std::lround(
        WholeNoteBeatMs / (static_cast<double>(columnValue) * std::max(columnDuration, 1))));
}

std::int32_t intoRange(std::int32_t semitone, const NoteRules& rules) {
    while (semitone < rules.lowestSemitone)
        semitone += SemitonesPerOctave;
    while (semitone > rules.highestSemitone)
        semitone -= SemitonesPerOctave;
    return semitone;
}

struct ToneNotes {
    std::int32_t semitone = RestSemitone;
    std::int32_t columns = 1;
    std::size_t tone = 0;
};

std::vector<ToneNotes> toneNotes(const TargetInput& input, const NoteRules& rules) {
    std::vector<ToneNotes> tones;
    const double columnMs = std::max(input.columnDuration, 1);
    for (std::size_t index = 0; index < input.tones.size(); ++index) {
        const ToneEvent& event = input.tones[index];
        const auto columns = static_cast<std::int32_t>(
            std::clamp<long>(std::lround(event.duration / columnMs), 1, MaxColumnCount));
        // Empty columns in a row are one rest: fewer, longer notes.
        if (event.isRest != 0 && !tones.empty() && tones.back().semitone == RestSemitone) {
            tones.back().columns += columns;
            continue;
        }
        tones.push_back(
            {event.isRest != 0 ? RestSemitone : intoRange(nearestSemitone(event.frequency), rules),
             columns, index});
    }
    return tones;
}

// The octave whose notes gain most from dots, then the one with most notes.
std::int32_t defaultOctave(const std::vector<ToneNotes>& tones, const NoteRules& rules,
                           std::span<const NoteLength> dotted, std::span<const NoteLength> plain) {
    std::map<std::int32_t, std::pair<std::int32_t, std::int32_t>> scores;
    for (std::int32_t octave = rules.lowestDefaultOctave; octave <= rules.highestDefaultOctave;
         ++octave)
        scores[octave] = {0, 0};
    for (const ToneNotes& tone : tones) {
        if (tone.semitone == RestSemitone) continue;
        const auto found = scores.find(octaveOf(tone.semitone));
        if (found == scores.end()) continue;
        const bool gains =
            splitLength(tone.columns, dotted).size() < splitLength(tone.columns, plain).size();
        found->second.first += gains ? 1 : 0;
        found->second.second += 1;
    }
    return std::max_element(scores.begin(), scores.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

std::int32_t mostCommonValue(const std::vector<PlannedNote>& notes) {
    std::map<std::int32_t, std::int32_t> counts;
    for (const PlannedNote& note : notes)
        ++counts[note.length.value];
    if (counts.empty()) return 4;
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

} // namespace

std::vector<NoteLength> noteLengths(std::int32_t columnValue, std::int32_t shortestValue,
                                    std::int32_t maxDots) {
    std::vector<NoteLength> lengths;
    for (std::int32_t dots = 0; dots <= maxDots; ++dots) {
        const auto grows = static_cast<std::int64_t>(std::pow(3, dots));
        const std::int64_t halves = std::int64_t{1} << dots;
        for (std::int32_t value = 1; value <= shortestValue; value *= 2) {
            // columnValue / value columns, times (3/2) per dot: whole columns only.
            const std::int64_t top = columnValue * grows;
            const std::int64_t bottom = value * halves;
            if (top % bottom != 0 || top < bottom) continue;
            const auto columns = static_cast<std::int32_t>(top / bottom);
            const bool known =
                std::any_of(lengths.begin(), lengths.end(),
                            [&](const NoteLength& l) { return l.columns == columns; });
            if (!known) lengths.push_back({columns, value, dots});
        }
    }
    std::stable_sort(lengths.begin(), lengths.end(), [](const NoteLength& a, const NoteLength& b) {
        return a.columns > b.columns;
    });
    return lengths;
}

std::vector<NoteLength> splitLength(std::int32_t columns, std::span<const NoteLength> lengths) {
    std::vector<NoteLength> pieces;
    for (const NoteLength& length : lengths) {
        while (columns >= length.columns) {
            pieces.push_back(length);
            columns -= length.columns;
        }
    }
    return pieces;
}

std::int32_t planColumnValue(std::int32_t columnDuration, std::int32_t gridStep,
                             const NoteRules& rules) {
    std::int32_t value = isGridStep(gridStep) ? gridStep : DefaultGridStep;
    while (tempoFor(columnDuration, value) > rules.maxTempo && value * 2 <= rules.shortestValue)
        value *= 2;
    return value;
}

NotePlan planNotes(const TargetInput& input, const NoteRules& rules) {
    NotePlan plan;
    plan.columnValue = planColumnValue(input.columnDuration, input.gridStep, rules);
    plan.tempo = std::clamp(tempoFor(input.columnDuration, plan.columnValue), 1, rules.maxTempo);
    const std::vector<NoteLength> dotted =
        noteLengths(plan.columnValue, rules.shortestValue, rules.maxDots);
    const std::vector<NoteLength> plain = noteLengths(plan.columnValue, rules.shortestValue, 0);
    const std::vector<ToneNotes> tones = toneNotes(input, rules);
    plan.defaultOctave = defaultOctave(tones, rules, dotted, plain);
    for (const ToneNotes& tone : tones) {
        const bool mayDot = !rules.dotsInDefaultOctaveOnly || tone.semitone == RestSemitone ||
                            octaveOf(tone.semitone) == plan.defaultOctave;
        for (const NoteLength& piece : splitLength(tone.columns, mayDot ? dotted : plain))
            plan.notes.push_back({tone.semitone, piece, tone.tone});
    }
    plan.defaultValue = mostCommonValue(plan.notes);
    return plan;
}

std::string noteItem(const NotePlan& plan, const PlannedNote& note, bool isUpperCase) {
    constexpr std::array<const char*, 12> Names = {"c",  "c#", "d",  "d#", "e",  "f",
                                                   "f#", "g",  "g#", "a",  "a#", "b"};
    std::string text;
    if (note.length.value != plan.defaultValue) text += std::to_string(note.length.value);
    std::string name = note.semitone == RestSemitone ? "p" : Names[note.semitone % 12];
    if (isUpperCase) name[0] = static_cast<char>(std::toupper(name[0]));
    text += name;
    if (note.semitone != RestSemitone && octaveOf(note.semitone) != plan.defaultOctave)
        text += std::to_string(octaveOf(note.semitone));
    text.append(static_cast<std::size_t>(note.length.dots), '.');
    return text;
}

std::int32_t octaveOf(std::int32_t semitone) {
    return semitone / SemitonesPerOctave - 1;
}

std::vector<std::size_t> splitTones(const NotePlan& plan) {
    std::vector<std::size_t> split;
    for (std::size_t index = 1; index < plan.notes.size(); ++index) {
        const PlannedNote& note = plan.notes[index];
        const bool sameTone = note.tone == plan.notes[index - 1].tone;
        if (sameTone && note.semitone != RestSemitone &&
            (split.empty() || split.back() != note.tone))
            split.push_back(note.tone);
    }
    return split;
}

double wholeNoteMs(std::int32_t tempo) {
    return WholeNoteBeatMs / std::max(tempo, 1);
}

double exactNoteMs(const NotePlan& plan, const NoteLength& length) {
    return wholeNoteMs(plan.tempo) / length.value * std::pow(1.5, length.dots);
}

} // namespace vemo
