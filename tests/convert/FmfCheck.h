#pragma once

// What every Flipper music text must satisfy, shared by the fuzzer and the corpus replay: refused
// with a reason, or imported at every grid step as a melody the editor can hold, whose tones
// written back as a Flipper file read in again as the same notes column for column.

#include "convert/FmfFile.h"
#include "tests/convert/RtttlCheck.h"

namespace vemo::test {

inline std::string fmfProblem(std::string_view text) {
    return readerProblem(
        text, parseFmf, importFmf,
        [](const FmfSong&, const ToneList& tones, std::int32_t columnMs, std::int32_t grid) {
            std::string written;
            for (const std::string& line : fmfText({tones, columnMs, 0, grid, "again"}))
                written += line + "\n";
            return std::pair{written, grid};
        });
}

} // namespace vemo::test
