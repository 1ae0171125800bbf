#include "convert/EsphomeTarget.h"

#include "convert/EqualTemper.h"
#include "convert/NotePlan.h"
#include "convert/RtttlWriter.h"

#include <cctype>
#include <cmath>

namespace vemo {

namespace {

constexpr std::size_t MaxNameLength = 15;
constexpr std::int32_t LowestSemitone = 60;   // C4
constexpr std::int32_t HighestSemitone = 107; // B7
constexpr std::int32_t NoteGapMs = 10;
constexpr std::int32_t MsPerMinute = 60000;
constexpr std::int32_t QuartersPerWhole = 4;

NoteRules esphomeRules() {
    NoteRules rules = rtttlRules();
    rules.lowestSemitone = LowestSemitone;
    rules.highestSemitone = HighestSemitone;
    return rules;
}

// The script's id: what YAML and ESPHome's ids take.
std::string scriptId(const std::string& name) {
    std::string id = "play_";
    for (char c : name)
        id += c == '-' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return id;
}

} // namespace

std::string esphomeName(std::string_view wanted) {
    std::string name;
    for (char c : wanted) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_' && c != '-') continue;
        if (name.size() == MaxNameLength) break;
        name += c;
    }
    return name.empty() ? "vemo" : name;
}

std::vector<std::string> esphomeText(const TargetInput& input) {
    if (input.tones.empty()) return {};
    const std::string name = esphomeName(input.name);
    const std::string id = scriptId(name);
    return {"# " + name + " for ESPHome's rtttl component; start it with script.execute: " + id,
            "script:",
            "  - id: " + id,
            "    then:",
            "      - rtttl.play:",
            "          rtttl: '" + ringtoneString(planNotes(input, esphomeRules()), name) + "'"};
}

std::vector<TargetProblem> esphomeCheck(const TargetInput& input) {
    std::vector<TargetProblem> problems;
    const HzRange octaves{semitoneFrequency(LowestSemitone) * std::exp2(-0.5 / 12),
                          semitoneFrequency(HighestSemitone) * std::exp2(0.5 / 12)};
    if (auto outside = notesOutside(input, octaves, "ESPHome", "octaves 4 to 7", "C4", "B7"))
        problems.push_back(*outside);
    const NotePlan plan = planNotes(input, esphomeRules());
    if (auto split = tonesSplit(input, splitTones(plan), "ESPHome", " with 10 ms breaks"))
        problems.push_back(*split);
    if (auto late = lengthChanged(input, esphomeSound(input), "ESPHome",
                                  rtttlTempoWhy(plan, input.columnDuration,
                                                "whole beats a minute and whole milliseconds")))
        problems.push_back(*late);
    return problems;
}

ToneList esphomeSound(const TargetInput& input) {
    const NotePlan plan = planNotes(input, esphomeRules());
    const std::int32_t wholeMs = MsPerMinute / plan.tempo * QuartersPerWhole;
    ToneList tones;
    std::int32_t lastFrequency = 0;
    for (const PlannedNote& note : plan.notes) {
        std::int32_t ms = wholeMs / note.length.value;
        if (note.length.dots > 0) ms += ms / 2;
        if (note.semitone == RestSemitone) {
            tones.push_back({0, 1, ms});
            lastFrequency = 0;
            continue;
        }
        const auto frequency =
            static_cast<std::int32_t>(std::lround(semitoneFrequency(note.semitone)));
        if (frequency == lastFrequency) {
            tones.push_back({0, 1, NoteGapMs});
            ms -= NoteGapMs;
        }
        tones.push_back({frequency, 0, ms});
        lastFrequency = frequency;
    }
    return tones;
}

} // namespace vemo
