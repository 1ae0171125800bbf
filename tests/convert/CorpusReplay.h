#pragma once

// The inputs a fuzzer kept for their coverage, replayed without clang: each must behave (an
// empty problem), and some must be accepted.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vemo::test {

template <typename Problem, typename IsAccepted>
void replayCorpus(const std::string& folder, Problem problem, IsAccepted isAccepted) {
    int fileCount = 0;
    int acceptedCount = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VEMO_SOURCE_DIR) / folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        ++fileCount;
        EXPECT_EQ(problem(text), "") << entry.path().filename();
        if (isAccepted(text)) ++acceptedCount;
    }
    EXPECT_GE(fileCount, 10);
    EXPECT_GT(acceptedCount, 0);
}

} // namespace vemo::test
