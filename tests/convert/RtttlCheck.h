#pragma once

// What every text must satisfy, shared by the fuzzer and the corpus replay: refused with a
// reason, or imported at every grid step as a melody the editor can hold, whose tones written
// back as RTTTL read in again as the same notes column for column.

#include "convert/RtttlImport.h"
#include "convert/RtttlParser.h"
#include "convert/RtttlWriter.h"
#include "sound/ToneList.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vemo::test {

inline std::string holdableProblem(const Melody& melody) {
    if (melody.lastColumn < MinColumnCount - 1 || melody.lastColumn >= MaxColumnCount)
        return "width " + std::to_string(melody.lastColumn + 1);
    if (melody.columnDuration < MinColumnDuration || melody.columnDuration > MaxColumnDuration)
        return "column duration " + std::to_string(melody.columnDuration);
    if (melody.grid.columnCount() != melody.lastColumn + 1 ||
        melody.marks.size() != static_cast<std::size_t>(melody.lastColumn) + 1)
        return "grid or marks of the wrong size";
    for (std::int32_t column = 0; column <= melody.lastColumn; ++column) {
        std::int32_t notes = 0;
        for (std::int32_t row = 0; row <= melody.lastRow; ++row) {
            const Cell& cell = melody.grid.at(column, row);
            notes += cell.hasNote;
            const bool right = column < melody.lastColumn && cell.hasNote != 0 &&
                               melody.grid.at(column + 1, row).hasNote != 0 &&
                               melody.grid.at(column + 1, row).joinLeft != 0;
            if ((cell.joinRight != 0) != right)
                return "a half join at column " + std::to_string(column);
        }
        if (notes > 1) return "two notes in column " + std::to_string(column);
    }
    return {};
}

// The note row of every column from the first note to the last (-1 for an empty column).
inline std::vector<std::int32_t> noteRows(const Melody& melody) {
    const MelodyRange range = melodyRange(melody, {});
    std::vector<std::int32_t> rows;
    if (range.firstNoteColumn < 0) return rows;
    for (std::int32_t column = range.firstNoteColumn; column <= range.lastNoteColumn; ++column)
        rows.push_back(melody.grid.noteRow(column));
    return rows;
}

// A writer's lines as a file holds them.
inline std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

inline std::vector<std::int32_t> rowsOf(const MelodyImport& imported) {
    return noteRows(imported.melody);
}

// Empty when a reader's text behaves: refused with a reason, or imported at every grid step as a
// melody the editor can hold, whose tones written back and read in again give the same notes.
// `write` gives a song's tones back as text with the grid step to read that text at, `notes` what
// must survive of an import.
template <typename Parse, typename Import, typename Write, typename Notes>
std::string readBackProblem(std::string_view text, Parse parse, Import import, Write write,
                            Notes notes) {
    const auto parsed = parse(text);
    if (!parsed.song) return parsed.reason.empty() ? "refused without a reason" : "";
    if (!parsed.reason.empty()) return "accepted with a reason";
    for (const std::int32_t grid : GridSteps) {
        const MelodyImport imported = import(*parsed.song, grid);
        if (const std::string problem = holdableProblem(imported.melody); !problem.empty())
            return problem;
        const ToneList tones =
            buildToneList(imported.melody, imported.pitch, melodyRange(imported.melody, {}));
        if (tones.empty()) continue;
        const auto [written, readGrid] =
            write(*parsed.song, tones, imported.melody.columnDuration, grid);
        const auto again = parse(written);
        if (!again.song) return "its own output is refused: " + again.reason;
        if (notes(import(*again.song, readGrid)) != notes(imported))
            return "written and read again it changes, at grid " + std::to_string(grid);
    }
    return {};
}

inline std::string rtttlProblem(std::string_view text) {
    return readBackProblem(
        text, parseRtttl, importRtttl,
        [](const RtttlSong& song, const ToneList& tones, std::int32_t columnMs, std::int32_t grid) {
            // Where b would pass 255 a column is a shorter note value.
            return std::pair{writeRtttl(tones, columnMs, grid, song.name),
                             rtttlColumnValue(columnMs, grid)};
        },
        rowsOf);
}

} // namespace vemo::test
