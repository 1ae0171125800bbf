#include "convert/MelodyImport.h"

#include "convert/EqualTemper.h"
#include "model/Marks.h"
#include "model/PitchTable.h"
#include "store/MelodyCodec.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vemo {

namespace {

constexpr std::int32_t BeatsPerBar = 4;
// Far beyond the widest grid, and small enough that a column number fits any integer type here.
constexpr double FarColumn = 1e12;
// The tempo rounding is told in hundredths of a percent.
constexpr double ShownPercent = 0.01;

std::int64_t nearestColumn(double columns) {
    return static_cast<std::int64_t>(std::floor(std::clamp(columns, 0.0, FarColumn) + 0.5));
}

std::int32_t intoRowRange(std::int32_t semitone, std::int32_t& movedNotes) {
    std::int32_t octaves = 0;
    if (semitone < LowestRowSemitone)
        octaves = (LowestRowSemitone - semitone + RowsPerOctave - 1) / RowsPerOctave;
    else if (semitone > HighestRowSemitone)
        octaves = -((semitone - HighestRowSemitone + RowsPerOctave - 1) / RowsPerOctave);
    if (octaves != 0) ++movedNotes;
    return semitone + octaves * RowsPerOctave;
}

void placeChain(Melody& melody, std::int32_t row, std::int32_t first, std::int32_t end) {
    for (std::int32_t column = first; column < end; ++column) {
        melody.grid.at(column, row).hasNote = 1;
        if (column == first) continue;
        melody.grid.at(column - 1, row).joinRight = 1;
        melody.grid.at(column, row).joinLeft = 1;
    }
}

std::string songTime(double ms) {
    const auto tenths = static_cast<long long>(std::min(ms, 1e15) / 100.0);
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, tenths / 10 % 60,
                  tenths % 10);
    return text;
}

} // namespace

std::string tempoRoundingReport(const MelodyImport& imported) {
    const double columnMs = imported.melody.columnDuration;
    if (imported.exactColumnMs <= 0.0 || columnMs <= 0.0) return {};
    // Shorter columns play the song faster.
    const double percentFaster = (imported.exactColumnMs / columnMs - 1.0) * 100.0;
    if (std::abs(percentFaster) < ShownPercent / 2) return {};
    char text[120];
    std::snprintf(text, sizeof text,
                  "tempo rounded: %d ms per column for a grid step of %.2f ms, %.2f %% %s",
                  imported.melody.columnDuration, imported.exactColumnMs, std::abs(percentFaster),
                  percentFaster > 0 ? "faster" : "slower");
    return text;
}

bool isGridStep(std::int32_t step) {
    return std::find(GridSteps.begin(), GridSteps.end(), step) != GridSteps.end();
}

MelodyImport placeNotes(const std::vector<TimedNote>& notes, double exactColumnMs,
                        std::int32_t gridStep, std::size_t songNotes) {
    MelodyImport result;
    result.exactColumnMs = exactColumnMs;
    Melody& melody = result.melody;
    melody.lastRow = MelodyLastRow;
    buildPitchTable(result.pitch, StartOctaveShift, melody.lastRow);
    melody.columnDuration = static_cast<std::int32_t>(
        std::clamp(std::lround(exactColumnMs), long{MinColumnDuration}, long{MaxColumnDuration}));

    struct Placed {
        std::int32_t row;
        std::int32_t first;
        std::int32_t end;
    };
    std::vector<Placed> placed;
    std::int64_t previousEnd = 0;
    std::int64_t neededColumns = 0;
    double largestOff = 0.0; // in columns of the song's own time
    for (const TimedNote& note : notes) {
        std::int64_t end = nearestColumn(note.end);
        if (note.semitone != NoSemitone) {
            const std::int64_t first = std::max(nearestColumn(note.start), previousEnd);
            if ((note.isResumed || note.isInterrupted) && end <= first) continue;
            end = std::max(end, first + 1);
            if (first < MaxColumnCount) {
                if (!note.isResumed)
                    largestOff =
                        std::max(largestOff, std::abs(static_cast<double>(first) - note.start));
                const std::int32_t semitone = intoRowRange(note.semitone, result.octaveMovedNotes);
                placed.push_back(
                    {nearestRow(melody, result.pitch, semitoneFrequency(semitone)),
                     static_cast<std::int32_t>(first),
                     static_cast<std::int32_t>(std::min<std::int64_t>(end, MaxColumnCount))});
            }
            previousEnd = end;
        }
        if (end > MaxColumnCount && result.warning.empty())
            result.warning = "the song needs more than " + std::to_string(MaxColumnCount) +
                             " columns; it is cut at note " + std::to_string(note.number) + " of " +
                             std::to_string(songNotes) + ", " +
                             songTime(note.start * exactColumnMs) + " into the song";
        neededColumns = std::max(neededColumns, end);
    }
    result.largestSnapErrorMs = static_cast<std::int32_t>(std::lround(largestOff * exactColumnMs));

    const std::int64_t width =
        std::clamp<std::int64_t>(neededColumns, MinColumnCount, MaxColumnCount);
    melody.lastColumn = static_cast<std::int32_t>(width) - 1;
    melody.previousLastColumn = melody.lastColumn;
    melody.smallBlock = gridStep / BeatsPerBar;
    melody.largeBlock = BeatsPerBar;
    melody.grid.reset(melody.lastColumn + 1, melody.lastRow + 1);
    melody.marks.assign(static_cast<std::size_t>(width), 0);
    computeMarks(melody);
    for (const Placed& note : placed)
        placeChain(melody, note.row, note.first, note.end);
    return result;
}

} // namespace vemo
