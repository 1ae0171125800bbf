#include "convert/RtttlImport.h"

#include "convert/EqualTemper.h"
#include "model/Marks.h"
#include "model/PitchTable.h"
#include "store/MelodyCodec.h"

#include <algorithm>
#include <cmath>

namespace vemo {

namespace {

// Song positions in 1/64 of a whole note: every note value and its dotted form is whole.
constexpr std::int64_t UnitsPerWhole = 64;
constexpr double WholeNoteMinutes = 4.0; // a whole note is four beats
constexpr double MsPerMinute = 60000.0;
constexpr std::int32_t BeatsPerBar = 4;

std::int64_t noteUnits(const RtttlNote& note) {
    const std::int64_t units = UnitsPerWhole / std::max(note.value, 1);
    return note.isDotted ? units * 3 / 2 : units;
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

} // namespace

bool isGridStep(std::int32_t step) {
    return step == 8 || step == 16 || step == 32;
}

MelodyImport importRtttl(const RtttlSong& song, std::int32_t gridStep) {
    if (!isGridStep(gridStep)) gridStep = DefaultGridStep;
    MelodyImport result;
    Melody& melody = result.melody;
    melody.lastRow = MelodyLastRow;
    buildPitchTable(result.pitch, StartOctaveShift, melody.lastRow);

    const double wholeMs = WholeNoteMinutes * MsPerMinute / std::max(song.tempo, 1);
    const double exactColumnMs = wholeMs / gridStep;
    melody.columnDuration = static_cast<std::int32_t>(
        std::clamp(std::lround(exactColumnMs), long{MinColumnDuration}, long{MaxColumnDuration}));
    const std::int64_t unitsPerColumn = UnitsPerWhole / gridStep;
    const auto nearestColumn = [&](std::int64_t units) {
        return (units + unitsPerColumn / 2) / unitsPerColumn;
    };

    struct Placed {
        std::int32_t row;
        std::int32_t first;
        std::int32_t end;
    };
    std::vector<Placed> placed;
    std::int64_t position = 0;
    std::int64_t previousEnd = 0;
    std::int64_t neededColumns = 0;
    double largestError = 0.0;
    for (std::size_t index = 0; index < song.notes.size(); ++index) {
        const RtttlNote& note = song.notes[index];
        const std::int64_t start = position;
        position += noteUnits(note);
        std::int64_t end = nearestColumn(position);
        if (note.semitone != RtttlRest) {
            const std::int64_t first = std::max(nearestColumn(start), previousEnd);
            end = std::max(end, first + 1);
            const double errorMs = std::abs(static_cast<double>(first) * melody.columnDuration -
                                            static_cast<double>(start) * wholeMs / UnitsPerWhole);
            if (first < MaxColumnCount) {
                largestError = std::max(largestError, errorMs);
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
                             " columns; it is cut at note " + std::to_string(index + 1) + " of " +
                             std::to_string(song.notes.size());
        neededColumns = std::max(neededColumns, end);
    }
    result.largestSnapErrorMs = static_cast<std::int32_t>(std::lround(largestError));

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
