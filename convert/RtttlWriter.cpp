#include "convert/RtttlWriter.h"

#include "convert/EqualTemper.h"

#include <cmath>

namespace vemo {

namespace {

constexpr std::size_t MaxNameLength = 64;
constexpr std::int32_t MaxTempo = 255;

} // namespace

std::string rtttlName(std::string_view wanted) {
    std::string name;
    for (char c : wanted) {
        if (c == ':' || c == ',' || static_cast<unsigned char>(c) < 0x20) continue;
        if (name.size() == MaxNameLength) break;
        name += c;
    }
    return name.empty() ? "vemo" : name;
}

NoteRules rtttlRules() {
    // Octave digits 0 to 9; default octaves 4 to 7, which every player takes.
    return {.shortestValue = 32,
            .maxDots = 1,
            .dotsInDefaultOctaveOnly = true,
            .maxTempo = MaxTempo,
            .lowestSemitone = 12,
            .highestSemitone = 131,
            .lowestDefaultOctave = 4,
            .highestDefaultOctave = 7};
}

std::string ringtoneString(const NotePlan& plan, std::string_view name) {
    std::string text = std::string(name) + ":d=" + std::to_string(plan.defaultValue) +
                       ",o=" + std::to_string(plan.defaultOctave) +
                       ",b=" + std::to_string(plan.tempo) + ":";
    for (std::size_t index = 0; index < plan.notes.size(); ++index)
        text += (index == 0 ? "" : ",") + noteItem(plan, plan.notes[index], false);
    return text;
}

std::string rtttlTempoWhy(const NotePlan& plan, std::int32_t columnDuration,
                          std::string_view units) {
    const double wanted = wholeNoteMs(1) / (plan.columnValue * std::max(columnDuration, 1));
    if (plan.tempo == MaxTempo && wanted > MaxTempo + 0.5)
        return "takes b=" + std::to_string(MaxTempo) + " at most";
    return "counts " + std::string(units) + ", b=" + std::to_string(plan.tempo);
}

std::int32_t rtttlColumnValue(std::int32_t columnDuration, std::int32_t gridStep) {
    return planColumnValue(columnDuration, gridStep, rtttlRules());
}

std::string writeRtttl(const ToneList& tones, std::int32_t columnDuration, std::int32_t gridStep,
                       std::string_view name) {
    const TargetInput input{tones, columnDuration, 0, gridStep, std::string(name)};
    return ringtoneString(planNotes(input, rtttlRules()), rtttlName(name));
}

std::vector<std::string> rtttlText(const TargetInput& input) {
    if (input.tones.empty()) return {};
    return {writeRtttl(input.tones, input.columnDuration, input.gridStep, input.name)};
}

std::vector<TargetProblem> rtttlCheck(const TargetInput& input) {
    const NotePlan plan = planNotes(input, rtttlRules());
    std::vector<TargetProblem> problems;
    if (auto split = tonesSplit(input, splitTones(plan), "RTTTL", "")) problems.push_back(*split);
    if (auto late = lengthChanged(input, rtttlSound(input), "RTTTL",
                                  rtttlTempoWhy(plan, input.columnDuration)))
        problems.push_back(*late);
    return problems;
}

ToneList rtttlSound(const TargetInput& input) {
    // Each note as long as the tempo makes it, rounded only where a tone begins.
    const NotePlan plan = planNotes(input, rtttlRules());
    ToneList tones;
    double elapsed = 0.0;
    for (const PlannedNote& note : plan.notes) {
        const double end = elapsed + exactNoteMs(plan, note.length);
        const bool isRest = note.semitone == RestSemitone;
        tones.push_back(
            {isRest ? 0 : static_cast<std::int32_t>(std::lround(semitoneFrequency(note.semitone))),
             isRest ? 1 : 0, static_cast<std::int32_t>(std::lround(end) - std::lround(elapsed))});
        elapsed = end;
    }
    return tones;
}

} // namespace vemo
