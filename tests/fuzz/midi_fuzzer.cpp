// libFuzzer entry for the MIDI reader; built by scripts/fuzz.sh, not by CMake.
// Any bytes must be refused with a reason or import as melodies the editor can hold, and each
// written back as MIDI must read in again as the same notes.

#include "tests/convert/MidiCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem = vemo::test::midiProblem({data, size});
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
