#include "convert/Targets.h"

#include "sound/ToneList.h"

namespace vemo {

TargetInput targetInputFor(const Melody& melody, const Pitch& pitch, const Selection& selection,
                           std::string name, std::int32_t gridStep) {
    const MelodyRange range = melodyRange(melody, selection);
    return {buildToneList(melody, pitch, range), melody.columnDuration,
            std::max(range.firstNoteColumn, 0), gridStep, std::move(name)};
}

std::vector<std::int32_t> toneColumns(const TargetInput& input) {
    std::vector<std::int32_t> columns;
    columns.reserve(input.tones.size());
    std::int64_t elapsedMs = 0;
    for (const ToneEvent& event : input.tones) {
        columns.push_back(input.firstColumn +
                          static_cast<std::int32_t>(elapsedMs / std::max(input.columnDuration, 1)));
        elapsedMs += event.duration;
    }
    return columns;
}

namespace {

std::string countedNotes(std::int32_t count) {
    return countedAre(count, "note");
}

std::int64_t totalMs(const ToneList& tones) {
    std::int64_t total = 0;
    for (const ToneEvent& event : tones)
        total += event.duration;
    return total;
}

} // namespace

std::optional<TargetProblem> notesOutside(const TargetInput& input, HzRange range,
                                          std::string_view device, std::string_view what,
                                          std::string_view lowName, std::string_view highName) {
    const std::vector<std::int32_t> columns = toneColumns(input);
    std::int32_t below = 0;
    std::int32_t above = 0;
    std::int32_t firstBelow = -1;
    std::int32_t firstAbove = -1;
    for (std::size_t i = 0; i < input.tones.size(); ++i) {
        const ToneEvent& event = input.tones[i];
        if (event.isRest != 0) continue;
        if (event.frequency < range.lowest) {
            if (below++ == 0) firstBelow = columns[i];
        } else if (event.frequency > range.highest) {
            if (above++ == 0) firstAbove = columns[i];
        }
    }
    if (below == 0 && above == 0) return std::nullopt;
    std::string text = std::string(device) + " plays " + std::string(what) + " only: ";
    if (below > 0)
        text += countedNotes(below) + " below " + std::string(lowName) + ", the first at column " +
                std::to_string(firstBelow);
    if (below > 0 && above > 0) text += "; ";
    if (above > 0)
        text += countedNotes(above) + " above " + std::string(highName) + ", the first at column " +
                std::to_string(firstAbove);
    return TargetProblem{text, range};
}

ToneList joinedRests(const ToneList& tones) {
    ToneList joined;
    for (const ToneEvent& event : tones) {
        if (event.isRest != 0 && !joined.empty() && joined.back().isRest != 0)
            joined.back().duration += event.duration;
        else
            joined.push_back(event);
    }
    return joined;
}

std::string countedAre(std::int32_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? " is" : "s are");
}

std::optional<TargetProblem> tonesSplit(const TargetInput& input,
                                        std::span<const std::size_t> tones, std::string_view device,
                                        std::string_view how) {
    if (tones.empty()) return std::nullopt;
    const std::vector<std::int32_t> columns = toneColumns(input);
    return TargetProblem{std::string(device) + " has no single note of their length: " +
                             countedAre(static_cast<std::int32_t>(tones.size()), "tone") +
                             " played as several notes" + std::string(how) +
                             ", the first at column " + std::to_string(columns[tones.front()]),
                         std::nullopt};
}

std::optional<TargetProblem> lengthChanged(const TargetInput& input, const ToneList& played,
                                           std::string_view device, std::string_view why) {
    const std::int64_t wanted = totalMs(input.tones);
    const std::int64_t heard = totalMs(played);
    if (wanted == heard) return std::nullopt;
    return TargetProblem{std::string(device) + " " + std::string(why) + ": the melody lasts " +
                             std::to_string(heard) + " ms instead of " + std::to_string(wanted) +
                             " ms",
                         std::nullopt};
}

} // namespace vemo
