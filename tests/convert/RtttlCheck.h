#pragma once

// What every text must satisfy, shared by the fuzzer and the corpus replay: refused with a
// reason, or imported at every grid step as a melody the editor can hold, whose tones written
// back as RTTTL read in again as the same notes column for column.

#include "convert/RtttlImport.h"
#include "convert/RtttlParser.h"
#include "convert/RtttlWriter.h"
#include "sound/ToneList.h"

#include <filesystem>
#include <fstream>
#include <iterator>
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

// Empty when a reader's text behaves; else what went wrong. `write` gives a song's tones back as
// text with the grid step to read that text at.
template <typename Parse, typename Import, typename Write>
std::string readerProblem(std::string_view text, Parse parse, Import import, Write write) {
    const auto parsed = parse(text);
    if (!parsed.song) return parsed.reason.empty() ? "refused without a reason" : "";
    if (!parsed.reason.empty()) return "accepted with a reason";
    for (const std::int32_t grid : {8, 16, 32}) {
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
        if (noteRows(import(*again.song, readGrid).melody) != noteRows(imported.melody))
            return "written and read again it changes, at grid " + std::to_string(grid);
    }
    return {};
}

inline std::string rtttlProblem(std::string_view text) {
    return readerProblem(
        text, parseRtttl, importRtttl,
        [](const RtttlSong& song, const ToneList& tones, std::int32_t columnMs, std::int32_t grid) {
            // Where b would pass 255 a column is a shorter note value.
            return std::pair{writeRtttl(tones, columnMs, grid, song.name),
                             rtttlColumnValue(columnMs, grid)};
        });
}

// Every file of a committed fuzz corpus run through `problem`: how many there are, how many
// `accepts` takes, and the problems with their file names.
struct CorpusReplay {
    int files = 0;
    int accepted = 0;
    std::vector<std::string> problems;
};

template <typename Problem, typename Accepts>
CorpusReplay replayCorpus(const std::filesystem::path& folder, Problem problem, Accepts accepts) {
    CorpusReplay replay;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        ++replay.files;
        if (const std::string found = problem(text); !found.empty())
            replay.problems.push_back(entry.path().filename().string() + ": " + found);
        replay.accepted += accepts(text) ? 1 : 0;
    }
    return replay;
}

} // namespace vemo::test
