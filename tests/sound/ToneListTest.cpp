#include "sound/ToneList.h"
#include "tests/support/MelodyFixture.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::resetMelody;
using test::setNote;

class ToneListTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetMelody(melody, 64);
        test::startPitch(pitch);
    }
    ToneList tones() { return buildToneList(melody, pitch, melodyRange(melody, selection)); }
    Melody melody;
    Pitch pitch;
    Selection selection{0, 0, 63, 0, 0};
};

TEST_F(ToneListTest, RowFrequenciesAcrossTheGrid) {
    EXPECT_EQ(rowFrequency(melody, pitch, 0), 7920);
    EXPECT_EQ(rowFrequency(melody, pitch, 50), 440);
    EXPECT_EQ(rowFrequency(melody, pitch, 95), 33);
    EXPECT_EQ(rowFrequency(melody, pitch, 94), 35);
}

TEST_F(ToneListTest, TiedNoteRestAndNote) {
    setNote(melody, 0, 50, false, true);
    setNote(melody, 1, 50, true, false);
    setNote(melody, 3, 57);
    EXPECT_EQ(tones(), (ToneList{{440, 0, 240}, {0, 1, 120}, {297, 0, 120}}));
}

TEST_F(ToneListTest, EmptyColumnsOutsideTheNotesAreNotPlayed) {
    setNote(melody, 5, 50);
    setNote(melody, 8, 50);
    const MelodyRange range = melodyRange(melody, selection);
    EXPECT_EQ(range.firstNoteColumn, 5);
    EXPECT_EQ(range.lastNoteColumn, 8);
    EXPECT_EQ(tones(), (ToneList{{440, 0, 120}, {0, 1, 120}, {0, 1, 120}, {440, 0, 120}}));
}

TEST_F(ToneListTest, NeighboursWithoutJoinFlagsAreSeparateTones) {
    setNote(melody, 2, 30);
    setNote(melody, 3, 30);
    // A half join is not a join.
    setNote(melody, 4, 30, true, false);
    EXPECT_EQ(tones().size(), 3u);
}

TEST_F(ToneListTest, EmptyGridAndEmptySelectionHaveNoRange) {
    EXPECT_EQ(melodyRange(melody, selection).firstNoteColumn, -1);
    EXPECT_TRUE(tones().empty());
    setNote(melody, 40, 10);
    selection = {1, 2, 20, 0, 0};
    EXPECT_EQ(melodyRange(melody, selection).firstNoteColumn, -1);
}

TEST_F(ToneListTest, SelectionStartingInsideATiedChainCountsOnlyItsColumns) {
    for (std::int32_t c = 10; c <= 14; ++c) setNote(melody, c, 50, c > 10, c < 14);
    setNote(melody, 16, 57);
    selection = {1, 12, 20, 0, 0};
    EXPECT_EQ(tones(), (ToneList{{440, 0, 360}, {0, 1, 120}, {297, 0, 120}}));
    // Off, the whole chain plays.
    selection.selectionActive = 0;
    EXPECT_EQ(tones().front(), (ToneEvent{440, 0, 600}));
}

TEST_F(ToneListTest, TopmostNoteOfAColumnIsItsVoice) {
    setNote(melody, 0, 70);
    setNote(melody, 0, 20);
    EXPECT_EQ(tones(), (ToneList{{rowFrequency(melody, pitch, 20), 0, 120}}));
}

TEST_F(ToneListTest, DurationIsTakenWhenTheListIsBuilt) {
    setNote(melody, 0, 50);
    melody.columnDuration = 7;
    EXPECT_EQ(tones(), (ToneList{{440, 0, 7}}));
}

} // namespace
} // namespace vemo
