// libFuzzer entry for the recovery journal's reader and replay; built by scripts/fuzz.sh.
#include "tests/store/JournalCheck.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!vemo::test::journalProblem(std::span(data, size)).empty()) std::abort();
    return 0;
}
