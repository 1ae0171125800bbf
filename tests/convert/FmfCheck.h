#pragma once

// What every Flipper music text must satisfy, shared by the fuzzer and the corpus replay: refused
// with a reason, or imported at every grid step as a melody the editor can hold, whose tones
// written back as a Flipper file read in again as the same notes column for column.

#include "convert/FmfFile.h"
#include "tests/convert/RtttlCheck.h"

namespace vemo::test {

inline std::string fmfProblem(std::string_view text) {
    return readBackProblem(
        text, parseFmf, importFmf,
        [](const FmfSong&, const ToneList& tones, std::int32_t columnMs, std::int32_t grid) {
            return std::pair{joinedLines(fmfText({tones, columnMs, 0, grid, "again"})), grid};
        },
        rowsOf);
}

} // namespace vemo::test
