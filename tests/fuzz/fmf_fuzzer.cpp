// libFuzzer entry for the Flipper music file reader; built by scripts/fuzz.sh, not by CMake.
// Any text must be refused with a reason or import as a melody the editor can hold, and that
// melody written back as a Flipper file must read in again as the same notes.

#include "tests/convert/FmfCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem =
        vemo::test::fmfProblem(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
