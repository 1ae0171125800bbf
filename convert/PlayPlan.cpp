#include "convert/EqualTemper.h"
#include "convert/MelodyImport.h"
#include "convert/PlayTarget.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

namespace vemo {

namespace {

constexpr double WholeNoteMs = 4 * 60000.0; // four quarter notes at one a minute
constexpr std::int32_t SemitonesPerOctave = 12;
// Below vemo's own millisecond: a column this close keeps the grid step.
constexpr double CloseEnoughMs = 0.5;
constexpr double ExactMs = 1e-6;

// Every length one note gives in 1/128 of a whole note, longest first: L1. L1 L2. L2 … L64.
// A dotted L64 (3) is left out: a pause of that length cannot be written without a dot.
constexpr std::array<std::int32_t, 13> NoteUnits = {192, 128, 96, 64, 48, 32, 24,
                                                    16,  12,  8,  6,  4,  2};
constexpr std::array<std::int32_t, 7> PauseUnits = {128, 64, 32, 16, 8, 4, 2};

PlayTempo tempoFor(std::int32_t units, std::int32_t tempo) {
    const bool isDotted = units % 3 == 0;
    return {tempo, (isDotted ? 3 * PlayUnitsPerWhole / 2 : PlayUnitsPerWhole) / units, isDotted,
            units, units * WholeNoteMs / (PlayUnitsPerWhole * static_cast<double>(tempo))};
}

// The tempo at which a note of `units` lasts nearest to the column.
PlayTempo nearestTempo(std::int32_t units, std::int32_t columnDuration) {
    const double ideal = units * WholeNoteMs / (PlayUnitsPerWhole * double(columnDuration));
    const auto clamped = [](double tempo) {
        return static_cast<std::int32_t>(
            std::clamp(tempo, double(PlayLowestTempo), double(PlayHighestTempo)));
    };
    const PlayTempo slower = tempoFor(units, clamped(std::floor(ideal)));
    const PlayTempo faster = tempoFor(units, clamped(std::ceil(ideal)));
    return std::abs(faster.columnMs - columnDuration) < std::abs(slower.columnMs - columnDuration)
               ? faster
               : slower;
}

// Pieces of `total` units, longest first, each one of `lengths` that `step` divides.
template <std::size_t Count>
std::vector<std::int32_t> pieces(std::int64_t total, std::int32_t step,
                                 const std::array<std::int32_t, Count>& lengths) {
    std::vector<std::int32_t> parts;
    for (const std::int32_t length : lengths) {
        if (length % step != 0) continue;
        for (; total >= length; total -= length)
            parts.push_back(length);
    }
    return parts;
}

} // namespace

PlayTempo playTempo(std::int32_t columnDuration, std::int32_t gridStep) {
    columnDuration = std::max(columnDuration, MinColumnDuration);
    if (!isGridStep(gridStep)) gridStep = DefaultGridStep;
    const std::int32_t stepUnits = PlayUnitsPerWhole / gridStep;
    const auto error = [&](const PlayTempo& tempo) {
        return std::abs(tempo.columnMs - columnDuration);
    };
    // Exact first, then the shortest note within half a millisecond, then the nearest.
    const auto gridRank = [&](const PlayTempo& tempo) {
        const double off = error(tempo);
        const int kind = off < ExactMs ? 0 : off <= CloseEnoughMs ? 1 : 2;
        return std::make_tuple(kind, kind < 2 ? tempo.units : 0, off);
    };
    std::optional<PlayTempo> onGrid;
    std::optional<PlayTempo> nearest;
    for (const std::int32_t units : NoteUnits) {
        const PlayTempo tempo = nearestTempo(units, columnDuration);
        if (units % stepUnits == 0 && (!onGrid || gridRank(tempo) < gridRank(*onGrid)))
            onGrid = tempo;
        // Ties go to the shorter note, which comes later.
        if (!nearest || error(tempo) <= error(*nearest) + ExactMs) nearest = tempo;
    }
    // Only a column shorter than the grid step's note at the fastest tempo leaves the grid.
    const double shortestOnGrid = tempoFor(stepUnits, PlayHighestTempo).columnMs;
    return shortestOnGrid - columnDuration <= CloseEnoughMs ? *onGrid : *nearest;
}

std::int32_t playSemitone(double frequency) {
    std::int32_t semitone = nearestSemitone(frequency);
    if (semitone < PlayLowestSemitone)
        semitone += (PlayLowestSemitone - semitone + SemitonesPerOctave - 1) / SemitonesPerOctave *
                    SemitonesPerOctave;
    else if (semitone > PlayHighestSemitone)
        semitone -= (semitone - PlayHighestSemitone + SemitonesPerOctave - 1) / SemitonesPerOctave *
                    SemitonesPerOctave;
    return semitone;
}

PlayPlan planPlay(const TargetInput& input) {
    PlayPlan plan;
    plan.tempo = playTempo(input.columnDuration, input.gridStep);
    const std::int32_t columnMs = std::max(input.columnDuration, MinColumnDuration);
    const std::vector<std::int32_t> columns = toneColumns(input);
    const ToneList& tones = input.tones;
    std::int64_t pausedUnits = 0;
    for (std::size_t index = 0; index < tones.size(); ++index) {
        const ToneEvent& tone = tones[index];
        const std::int64_t total =
            std::clamp<long>(std::lround(double(tone.duration) / columnMs), 1, MaxColumnCount) *
            std::int64_t{plan.tempo.units};
        if (tone.isRest != 0) {
            // Each empty column is a rest of its own; together they make fewer pauses.
            pausedUnits += total;
            if (index + 1 == tones.size() || tones[index + 1].isRest == 0)
                for (const std::int32_t units :
                     pieces(std::exchange(pausedUnits, 0), 1, PauseUnits))
                    plan.notes.push_back({PlayRest, units, false});
            continue;
        }
        const std::int32_t semitone = playSemitone(tone.frequency);
        const bool isChain = total > plan.tempo.units;
        const bool isParted = isChain && index + 1 < tones.size() && tones[index + 1].isRest == 0 &&
                              playSemitone(tones[index + 1].frequency) == semitone;
        if (isParted && plan.partedChains++ == 0) plan.firstPartedColumn = columns[index];
        for (const std::int32_t units : pieces(total, plan.tempo.units, NoteUnits))
            plan.notes.push_back({semitone, units, isChain});
        if (isParted) plan.notes.back().isLegato = false;
    }
    return plan;
}

} // namespace vemo
