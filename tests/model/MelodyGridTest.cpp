#include "model/Geometry.h"
#include "model/Joins.h"
#include "model/Marks.h"
#include "model/PitchTable.h"
#include "tests/support/MelodyFixture.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::resetMelody;
using test::setNote;

TEST(Marks, StartBlocksGiveSmallAndLargeStarts) {
    Melody melody;
    resetMelody(melody, 512, 4, 4);
    const std::vector<std::int32_t> head(melody.marks.begin(), melody.marks.begin() + 17);
    EXPECT_EQ(head, (std::vector<std::int32_t>{6, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 6}));
    EXPECT_EQ(std::count(melody.marks.begin(), melody.marks.end(), 6), 32);
    EXPECT_EQ(std::count(melody.marks.begin(), melody.marks.end(), 2), 96);
    EXPECT_EQ(melody.markTotal, 384);
    EXPECT_EQ(melody.markTotal, sumOfMarks(melody.marks));
}

TEST(Marks, BlockSizesOneAndOneMarkEveryColumnAsLargeStart) {
    Melody melody;
    resetMelody(melody, 40, 1, 1);
    for (std::int32_t mark : melody.marks) EXPECT_EQ(mark, 6);
    EXPECT_EQ(melody.markTotal, 240);
}

TEST(Marks, BlockSizesThreeAndFive) {
    Melody melody;
    resetMelody(melody, 64, 3, 5);
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c) {
        const std::int32_t expected = c % 15 == 0 ? 6 : (c % 3 == 0 ? 2 : 0);
        EXPECT_EQ(melody.marks[c], expected) << "column " << c;
    }
    EXPECT_EQ(melody.markTotal, sumOfMarks(melody.marks));
}

TEST(Marks, RepatternTailRestartsAtLastLargeStart) {
    Melody melody;
    resetMelody(melody, 40, 4, 4);
    // A column deleted inside the last large block leaves its pattern shifted.
    melody.marks[33] = 2;
    melody.marks[36] = 0;
    melody.marks[5] = 2; // before the tail: kept
    repatternTail(melody);
    EXPECT_EQ(melody.marks[32], 6);
    EXPECT_EQ(melody.marks[33], 0);
    EXPECT_EQ(melody.marks[36], 2);
    EXPECT_EQ(melody.marks[5], 2);
    EXPECT_EQ(melody.markTotal, sumOfMarks(melody.marks));
}

TEST(Marks, RepatternTailWithoutLargeStartRepatternsEverything) {
    Melody melody;
    resetMelody(melody, 20, 2, 3);
    std::fill(melody.marks.begin(), melody.marks.end(), 2);
    repatternTail(melody);
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c)
        EXPECT_EQ(melody.marks[c], c % 6 == 0 ? 6 : (c % 2 == 0 ? 2 : 0)) << c;
}

TEST(Geometry, ColumnsIncludeTheirOwnMarkBeforeThem) {
    Melody melody;
    resetMelody(melody, 512);
    EXPECT_EQ(melody.grid.at(0, 0).x, 11);
    EXPECT_EQ(melody.grid.at(1, 0).x, 5 + 12 + 6);
    EXPECT_EQ(melody.grid.at(4, 0).x, 5 + 4 * 12 + 8);
    EXPECT_EQ(melody.grid.at(4, 70).x, melody.grid.at(4, 0).x);
    // Right edge of the content.
    EXPECT_EQ(melody.grid.at(511, 0).x + 12, 5 + 511 * 12 + 384 + 12);
}

TEST(Geometry, RowsLeaveAGapAfterEveryOctave) {
    Melody melody;
    resetMelody(melody, 32);
    EXPECT_EQ(melody.grid.at(3, 0).y, 10);
    EXPECT_EQ(melody.grid.at(3, 11).y, 10 + 11 * 8);
    EXPECT_EQ(melody.grid.at(3, 12).y, 10 + 12 * 8 + 4);
    EXPECT_EQ(melody.grid.at(3, 95).y, 10 + 95 * 8 + 7 * 4);
}

TEST(Geometry, SelectionEdgesFollowCachedX) {
    Melody melody;
    resetMelody(melody, 64);
    Selection selection{1, 4, 6, 0, 0};
    updateSelectionEdges(melody, selection);
    EXPECT_EQ(selection.selectionLeftX, melody.grid.at(4, 0).x - 1);
    EXPECT_EQ(selection.selectionRightX, melody.grid.at(6, 0).x + 11);
}

class Joins : public ::testing::Test {
protected:
    void SetUp() override { resetMelody(melody, 32); }
    Melody melody;
    Stroke stroke;
    bool joined(std::int32_t column, std::int32_t row) {
        return melody.grid.at(column, row).joinRight != 0 &&
               melody.grid.at(column + 1, row).joinLeft != 0;
    }
};

TEST_F(Joins, NoStrokeChangesNothing) {
    setNote(melody, 3, 5, false, true);
    const CellGrid before = melody.grid;
    stroke.strokeFirst = -1;
    updateJoins(melody, stroke);
    EXPECT_EQ(melody.grid, before);
}

TEST_F(Joins, StrokeTiesRunsAndCutsBothEnds) {
    for (std::int32_t c = 9; c <= 15; ++c) setNote(melody, c, 40);
    melody.grid.at(9, 40).joinRight = 1;
    melody.grid.at(10, 40).joinLeft = 1;
    melody.grid.at(14, 40).joinRight = 1;
    melody.grid.at(15, 40).joinLeft = 1;
    stroke = {10, 14};
    updateJoins(melody, stroke);
    for (std::int32_t c = 10; c < 14; ++c) EXPECT_TRUE(joined(c, 40)) << c;
    EXPECT_EQ(melody.grid.at(9, 40).joinRight, 0);
    EXPECT_EQ(melody.grid.at(10, 40).joinLeft, 0);
    EXPECT_EQ(melody.grid.at(14, 40).joinRight, 0);
    EXPECT_EQ(melody.grid.at(15, 40).joinLeft, 0);
}

TEST_F(Joins, StrokeAtBothEndsOfTheGridStaysInside) {
    for (std::int32_t c = 0; c <= 31; ++c) setNote(melody, c, 7);
    stroke = {0, 31};
    updateJoins(melody, stroke);
    for (std::int32_t c = 0; c < 31; ++c) EXPECT_TRUE(joined(c, 7));
    EXPECT_EQ(melody.grid.at(0, 7).joinLeft, 0);
    EXPECT_EQ(melody.grid.at(31, 7).joinRight, 0);
}

TEST_F(Joins, OneColumnStrokeSplitsAHeldNote) {
    for (std::int32_t c = 4; c <= 8; ++c) setNote(melody, c, 20, c > 4, c < 8);
    stroke = {6, 6};
    updateJoins(melody, stroke);
    EXPECT_TRUE(joined(4, 20));
    EXPECT_FALSE(joined(5, 20));
    EXPECT_EQ(melody.grid.at(5, 20).joinRight, 0);
    EXPECT_EQ(melody.grid.at(6, 20).joinLeft, 0);
    EXPECT_EQ(melody.grid.at(6, 20).joinRight, 0);
    EXPECT_EQ(melody.grid.at(7, 20).joinLeft, 0);
    EXPECT_TRUE(joined(7, 20));
}

TEST_F(Joins, DifferentRowsStayApartAndTheColumnAfterIsCutOnItsLeftOnly) {
    setNote(melody, 10, 40);
    setNote(melody, 11, 41);
    setNote(melody, 12, 50, false, true);
    setNote(melody, 13, 50, true, true);
    setNote(melody, 14, 50, true, false);
    stroke = {10, 12};
    updateJoins(melody, stroke);
    EXPECT_FALSE(joined(10, 40));
    EXPECT_EQ(melody.grid.at(10, 40).joinRight, 0);
    EXPECT_EQ(melody.grid.at(11, 41).joinLeft, 0);
    EXPECT_EQ(melody.grid.at(12, 50).joinRight, 0);
    EXPECT_EQ(melody.grid.at(13, 50).joinLeft, 0);
    EXPECT_TRUE(joined(13, 50)) << "beyond the stroke";
}

TEST_F(Joins, ColumnsTheStrokeSkippedKeepTheirFlags) {
    for (std::int32_t c : {10, 11, 13, 14}) setNote(melody, c, 40);
    setNote(melody, 12, 60, true, true);
    stroke = {10, 14};
    updateJoins(melody, stroke);
    EXPECT_TRUE(joined(10, 40));
    EXPECT_TRUE(joined(13, 40));
    EXPECT_EQ(melody.grid.at(12, 60).joinLeft, 1);
    EXPECT_EQ(melody.grid.at(12, 60).joinRight, 1);
}

TEST(PitchTable, RowsSoundTheJustScale) {
    Pitch pitch;
    test::startPitch(pitch);
    ASSERT_EQ(pitch.pitchTable.size(), 96u);
    const auto row = [&](int r) { return static_cast<std::int32_t>(pitch.pitchTable[95 - r]); };
    EXPECT_EQ(row(0), 7920);
    EXPECT_EQ(row(11), 4224);
    EXPECT_EQ(row(12), 3960);
    EXPECT_EQ(row(50), 440);
    EXPECT_EQ(row(58), 281);
    EXPECT_EQ(row(95), 33);
    EXPECT_FLOAT_EQ(pitch.scaleTable[1], 281.6f);
    EXPECT_FLOAT_EQ(pitch.scaleTable[10], 469.33334f);
}

} // namespace
} // namespace vemo
