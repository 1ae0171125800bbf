#include "convert/FmfFile.h"
#include "tests/convert/CorpusReplay.h"
#include "tests/convert/FmfCheck.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

std::string flipperFile(const std::string& notes, const std::string& bpm = "120") {
    return "Filetype: Flipper Music Format\nVersion: 0\nBPM: " + bpm +
           "\nDuration: 8\nOctave: 5\nNotes: " + notes + "\n";
}

TEST(Fmf, ReadsWhatTheFlipperPlaysLeniently) {
    // Comments, CRLF, any letter case, '_' for sharp, the defaults, several dots.
    const FmfParse parsed =
        parseFmf("Filetype: Flipper Music Format\r\n# a comment\r\nVersion: 0\r\nOctave: 5\r\n"
                 "Duration: 8\r\nBPM: 90\r\nNotes: 4c_6.., P, a4 ,\r\n");
    ASSERT_TRUE(parsed.song) << parsed.reason;
    EXPECT_EQ(parsed.song->tempo, 90);
    EXPECT_EQ(parsed.song->notes,
              (std::vector<FmfNote>{{4, 2, 85}, {8, 0, NoSemitone}, {8, 0, 69}}));
}

TEST(Fmf, HostileFilesAreRefusedWithAReasonAndThePlace) {
    const std::string header = "Filetype: Flipper Music Format\n";
    std::string tooMany;
    for (std::size_t note = 0; note <= MaxFmfNotes; ++note)
        tooMany += "C,";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "the file is empty"},
        {"Filetype: Flipper SubGhz Key File\n", "line 1: a Flipper music file begins with"},
        {header + "Version: 1\nBPM: 9\nDuration: 4\nOctave: 4\nNotes: C",
         "line 2: Version must be 0"},
        {flipperFile("C", "0"), "line 3: BPM must be a whole number from 1 to 60000"},
        {flipperFile("C", "4294967296"), "line 3: BPM must be a whole number"},
        {header + "Version: 0\nBPM: 9\nDuration: 4\nOctave: 4\n", "there is no Notes line"},
        {header + "Version: 0\nBPM: 9\nBPM: 9\n", "line 4: BPM is given twice, first on line 3"},
        {header + "Version: 0\nloud\n", "line 3: 'loud' is not a 'Key: value' line"},
        {flipperFile("C, 4X"), "line 6, note 2 ('4X'): 'X' is not a note name"},
        {flipperFile("129C"), "note 1 ('129C'): the note value must be 1 to 128"},
        {flipperFile("C17"), "the octave must be 1 to 16"},
        {flipperFile("C" + std::string(17, '.')), "16 dots at most"},
        {flipperFile("4C5x"), "'x' does not belong there"},
        {flipperFile(" , "), "line 6, there are no notes"},
        {flipperFile(tooMany), "note 16385 ('C'): more than 16384 notes"},
        {flipperFile(std::string(MaxFmfFileBytes, 'C')), "longer than 65536 bytes"},
    };
    for (const auto& [text, reason] : cases) {
        const FmfParse parsed = parseFmf(text);
        EXPECT_FALSE(parsed.song) << reason;
        EXPECT_NE(parsed.reason.find(reason), std::string::npos)
            << "wanted '" << reason << "', got '" << parsed.reason << "'";
    }
}

// The inputs the fuzzer kept for their coverage, replayed without clang.
TEST(Fmf, FuzzCorpusReplaysCleanly) {
    test::replayCorpus("tests/convert/fmf-corpus", test::fmfProblem,
                       [](const std::string& text) { return parseFmf(text).song.has_value(); });
}

} // namespace
} // namespace vemo
