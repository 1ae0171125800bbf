#pragma once

// What every Flipper music text must satisfy, shared by the fuzzer and the corpus replay: refused
// with a reason, or imported at every grid step as a melody the editor can hold, whose tones
// written back as a Flipper file read in again as the same notes column for column.

#include "convert/FmfFile.h"
#include "tests/convert/RtttlCheck.h"

#include <string>
#include <string_view>

namespace vemo::test {

inline std::string fmfProblem(std::string_view text) {
    const FmfParse parsed = parseFmf(text);
    if (!parsed.song) return parsed.reason.empty() ? "refused without a reason" : "";
    if (!parsed.reason.empty()) return "accepted with a reason";
    for (const std::int32_t grid : {8, 16, 32}) {
        const MelodyImport imported = importFmf(*parsed.song, grid);
        if (const std::string problem = holdableProblem(imported.melody); !problem.empty())
            return problem;
        const ToneList tones =
            buildToneList(imported.melody, imported.pitch, melodyRange(imported.melody, {}));
        if (tones.empty()) continue;
        std::string written;
        for (const std::string& line :
             fmfText({tones, imported.melody.columnDuration, 0, grid, "again"}))
            written += line + "\n";
        const FmfParse again = parseFmf(written);
        if (!again.song) return "its own output is refused: " + again.reason;
        if (noteRows(importFmf(*again.song, grid).melody) != noteRows(imported.melody))
            return "written and read again it changes, at grid " + std::to_string(grid);
    }
    return {};
}

} // namespace vemo::test
