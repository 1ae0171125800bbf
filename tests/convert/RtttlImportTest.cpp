#include "convert/RtttlImport.h"
#include "sound/ToneList.h"
#include "tests/convert/RtttlCheck.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vemo {
namespace {

using ::testing::HasSubstr;

MelodyImport imported(const std::string& text, std::int32_t grid = DefaultGridStep) {
    const RtttlParse parsed = parseRtttl(text);
    EXPECT_TRUE(parsed.song.has_value()) << parsed.reason;
    MelodyImport result = importRtttl(parsed.song.value_or(RtttlSong{}), grid);
    EXPECT_EQ(test::holdableProblem(result.melody), "");
    return result;
}

ToneList tonesOf(const MelodyImport& result) {
    return buildToneList(result.melody, result.pitch, melodyRange(result.melody, {}));
}

// Grid row of a semitone: C1 (24) is the bottom row, 95.
std::int32_t rowOf(std::int32_t semitone) {
    return 95 - (semitone - 24);
}

TEST(RtttlImport, TiesLongNotesButNeverARepeatedNoteToTheOneBefore) {
    const MelodyImport result = imported("x:d=4,o=5,b=125:8c,8c,c,p,8a4");
    const Melody& melody = result.melody;
    EXPECT_EQ(melody.columnDuration, 120); // a sixteenth at 125 beats a minute
    EXPECT_EQ(melody.lastColumn, 31);
    const std::int32_t c5 = rowOf(72);
    for (std::int32_t column = 0; column < 8; ++column)
        EXPECT_EQ(melody.grid.noteRow(column), c5) << column;
    EXPECT_EQ(melody.grid.at(0, c5).joinRight, 1);
    EXPECT_EQ(melody.grid.at(1, c5).joinRight, 0);
    EXPECT_EQ(melody.grid.at(2, c5).joinLeft, 0);
    EXPECT_EQ(melody.grid.noteRow(12), rowOf(69));
    const std::int32_t c5Hz = rowFrequency(melody, result.pitch, c5);
    const std::int32_t a4Hz = rowFrequency(melody, result.pitch, rowOf(69));
    EXPECT_EQ(a4Hz, 440); // A is exact in the grid's table
    EXPECT_EQ(tonesOf(result), (ToneList{{c5Hz, 0, 240},
                                         {c5Hz, 0, 240},
                                         {c5Hz, 0, 480},
                                         {0, 1, 120},
                                         {0, 1, 120},
                                         {0, 1, 120},
                                         {0, 1, 120},
                                         {a4Hz, 0, 240}}));
    EXPECT_EQ(result.largestSnapErrorMs, 0);
    EXPECT_EQ(result.octaveMovedNotes, 0);
    EXPECT_EQ(result.warning, "");
}

TEST(RtttlImport, MovesNotesOutsideTheEightOctavesByWholeOctaves) {
    // C0 and B0 lie below the grid, C9 and A#9 above; C1 and B8 are its edges.
    const MelodyImport result = imported("x:d=16,o=5,b=125:c0,b0,c1,b8,c9,a#9");
    EXPECT_EQ(result.octaveMovedNotes, 4);
    const std::int32_t expected[] = {rowOf(24),  rowOf(35),  rowOf(24),
                                     rowOf(119), rowOf(108), rowOf(118)};
    for (std::int32_t column = 0; column < 6; ++column)
        EXPECT_EQ(result.melody.grid.noteRow(column), expected[column]) << column;
}

TEST(RtttlImport, SnapsShortNotesToTheGridAndReportsTheLargestError) {
    // Thirty-seconds on a sixteenth grid: each still gets a column, each later than written.
    const MelodyImport coarse = imported("x:d=32,o=5,b=125:c,d,e,f", 16);
    EXPECT_EQ(coarse.largestSnapErrorMs, 180); // f written at 180 ms sounds at 360 ms
    EXPECT_EQ(tonesOf(coarse).size(), 4u);
    EXPECT_EQ(imported("x:d=32,o=5,b=125:c,d,e,f", 32).largestSnapErrorMs, 0);

    // The tempo's column is rounded to whole milliseconds: 238.1 ms at 63 beats a minute.
    std::string quarters = "x::";
    for (int i = 0; i < 30; ++i)
        quarters += "c,";
    const MelodyImport rounded = imported(quarters);
    EXPECT_EQ(rounded.melody.columnDuration, 238);
    // Every quarter lands on a column: the rounding is the tempo's, not the snapping's.
    EXPECT_EQ(rounded.largestSnapErrorMs, 0);
    EXPECT_EQ(tempoRoundingReport(rounded),
              "tempo rounded: 238 ms per column for a grid step of 238.10 ms, 0.04 % faster");

    // The grid step sets the column: an eighth, a sixteenth or a thirty-second of 1920 ms.
    EXPECT_EQ(imported("x:b=125:c", 8).melody.columnDuration, 240);
    EXPECT_EQ(imported("x:b=125:c", 32).melody.columnDuration, 60);
    EXPECT_EQ(imported("x:b=1:c").melody.columnDuration, MaxColumnDuration);
    EXPECT_EQ(imported("x:b=60000:c").melody.columnDuration, MinColumnDuration);
}

TEST(RtttlImport, CutsASongLongerThanTheGridAndSaysAtWhichNote) {
    // 256 whole notes fill 4096 sixteenth columns; the 257th does not fit.
    std::string text = "x:d=1,o=5,b=125:";
    for (int i = 0; i < 300; ++i)
        text += i % 2 == 0 ? "c," : "d,";
    const MelodyImport result = imported(text);
    EXPECT_EQ(result.melody.lastColumn, MaxColumnCount - 1);
    EXPECT_THAT(result.warning, HasSubstr("cut at note 257 of 300"));
    EXPECT_EQ(result.melody.grid.noteRow(MaxColumnCount - 1), rowOf(74));
    EXPECT_EQ(tonesOf(result).size(), 256u);
}

} // namespace
} // namespace vemo
