#include "model/Clipboard.h"
#include "model/Columns.h"

#include "model/Geometry.h"
#include "model/Marks.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/WholeJoins.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace vemo {
namespace {

using test::onlyWholeJoins;
using test::resetMelody;
using test::setNote;

constexpr std::int32_t NoRow = -1;

// The row of the whole join pair between column and column + 1, or NoRow.
std::int32_t joinedRow(const Melody& melody, std::int32_t column) {
    for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
        const Cell& left = melody.grid.at(column, r);
        const Cell& right = melody.grid.at(column + 1, r);
        if (left.joinRight != 0 && right.joinLeft != 0) return r;
    }
    return NoRow;
}

std::vector<std::int32_t> noteRows(const Melody& melody) {
    std::vector<std::int32_t> rows;
    for (std::int32_t c = 0; c <= melody.lastColumn; ++c)
        rows.push_back(melody.grid.noteRow(c));
    return rows;
}

// The cached values must match what a fresh computation from the marks gives.
::testing::AssertionResult cachesAreFresh(const Melody& melody, const Selection& selection) {
    if (melody.markTotal != sumOfMarks(melody.marks))
        return ::testing::AssertionFailure() << "markTotal " << melody.markTotal;
    Melody fresh = melody;
    computeGeometry(fresh);
    if (fresh.grid != melody.grid) return ::testing::AssertionFailure() << "stale cell geometry";
    Selection freshSelection = selection;
    updateSelectionEdges(fresh, freshSelection);
    if (freshSelection.selectionLeftX != selection.selectionLeftX ||
        freshSelection.selectionRightX != selection.selectionRightX)
        return ::testing::AssertionFailure() << "stale selection edges";
    return ::testing::AssertionSuccess();
}

void tieRun(Melody& melody, std::int32_t firstColumn, std::int32_t lastColumn, std::int32_t row) {
    for (std::int32_t c = firstColumn; c <= lastColumn; ++c)
        setNote(melody, c, row, c > firstColumn, c < lastColumn);
}

class ColumnEditing : public ::testing::Test {
  protected:
    void SetUp() override {
        resetMelody(melody, ColumnCount);
        clipboard.clipboardGrid = CellGrid(ColumnCount, melody.lastRow + 1);
        clipboard.clipboardMarks.assign(ColumnCount, 0);
        select(0, last);
    }
    void select(std::int32_t first, std::int32_t lastSelected) {
        selection = {1, first, lastSelected, 0, 0};
        updateSelectionEdges(melody, selection);
    }
    void setMark(std::int32_t column, std::int32_t mark) {
        melody.marks[column] = mark;
        melody.markTotal = sumOfMarks(melody.marks);
        computeGeometry(melody);
    }
    static constexpr std::int32_t ColumnCount = 64;
    static constexpr std::int32_t last = ColumnCount - 1;
    Melody melody;
    Selection selection;
    Clipboard clipboard;
};

// --- paste ---

TEST_F(ColumnEditing, PasteBeforeAnyCopyGivesOneEmptyColumn) {
    tieRun(melody, 9, 12, 30);
    select(10, 20);
    pasteClipboard(melody, selection, clipboard, PasteNotes);
    EXPECT_EQ(melody.grid.noteRow(10), NoRow);
    EXPECT_EQ(selection.selectionFirst, 10);
    EXPECT_EQ(selection.selectionLast, 10);
    EXPECT_EQ(melody.grid.noteRow(11), 30);
    EXPECT_EQ(joinedRow(melody, 11), 30) << "the tone after the pasted column stays held";
    EXPECT_TRUE(onlyWholeJoins(melody));
    EXPECT_TRUE(cachesAreFresh(melody, selection));

    const ColumnMarks marksBefore = melody.marks;
    select(3, 40);
    pasteClipboard(melody, selection, clipboard, PasteLayout);
    EXPECT_EQ(selection.selectionLast, 3);
    EXPECT_EQ(melody.marks, marksBefore) << "the one target column keeps its own mark";
}

TEST_F(ColumnEditing, CopyFourToSevenPasteOverTenToTwenty) {
    tieRun(melody, 3, 5, 30); // runs into the copied range from the left
    tieRun(melody, 7, 8, 40); // runs out of it to the right
    setMark(4, MarkLargeStart);
    setMark(5, MarkLargeStart);
    setMark(6, 0);
    setMark(7, MarkSmallStart);
    setMark(10, MarkSmallStart);
    tieRun(melody, 9, 15, 60); // held across both borders of the target
    select(4, 7);
    copySelection(melody, selection, clipboard);
    EXPECT_EQ(clipboard.clipboardFirst, 4);
    EXPECT_EQ(clipboard.clipboardLast, 7);

    select(10, 20);
    pasteClipboard(melody, selection, clipboard, PasteNotes | PasteLayout);
    EXPECT_EQ(selection.selectionFirst, 10);
    EXPECT_EQ(selection.selectionLast, 13);
    const std::vector<std::int32_t> rows = noteRows(melody);
    EXPECT_EQ(std::vector<std::int32_t>(rows.begin() + 9, rows.begin() + 15),
              (std::vector<std::int32_t>{60, 30, 30, NoRow, 40, 60}));
    EXPECT_EQ(joinedRow(melody, 10), 30) << "a tie inside the copied range is kept";
    EXPECT_EQ(joinedRow(melody, 9), NoRow);
    EXPECT_EQ(joinedRow(melody, 13), NoRow);
    EXPECT_EQ(joinedRow(melody, 14), 60) << "the target's tone goes on after the border";
    EXPECT_EQ(melody.marks[10], MarkSmallStart) << "the first target column keeps its mark";
    EXPECT_EQ(melody.marks[11], MarkLargeStart);
    EXPECT_EQ(melody.marks[12], 0);
    EXPECT_EQ(melody.marks[13], MarkSmallStart);
    EXPECT_TRUE(onlyWholeJoins(melody));
    EXPECT_TRUE(cachesAreFresh(melody, selection));
}

TEST_F(ColumnEditing, PasteIsCutAtTheLastColumn) {
    for (std::int32_t c = 0; c < 8; ++c)
        if (c != 3) setNote(melody, c, 10 + c);
    tieRun(melody, 2, 3, 12);
    setMark(1, MarkLargeStart);
    setMark(2, MarkSmallStart);
    setNote(melody, last - 3, 70);
    select(0, 7);
    copySelection(melody, selection, clipboard);

    select(last - 2, last);
    pasteClipboard(melody, selection, clipboard, PasteNotes | PasteLayout);
    EXPECT_EQ(selection.selectionLast, last);
    const std::vector<std::int32_t> rows = noteRows(melody);
    EXPECT_EQ(std::vector<std::int32_t>(rows.end() - 4, rows.end()),
              (std::vector<std::int32_t>{70, 10, 11, 12}));
    EXPECT_EQ(melody.marks[last - 1], MarkLargeStart);
    EXPECT_EQ(melody.marks[last], MarkSmallStart);
    EXPECT_EQ(melody.grid.at(last, 12).joinRight, 0) << "no join may point past the grid";
    EXPECT_TRUE(onlyWholeJoins(melody));
    EXPECT_TRUE(cachesAreFresh(melody, selection));
}

TEST_F(ColumnEditing, LayoutOnlyPasteLeavesNotesAlone) {
    std::mt19937 random(7);
    test::fillRandom(melody, random);
    for (std::int32_t c = 16; c <= 31; ++c)
        melody.marks[c] = (c % 3 == 0) ? MarkLargeStart : 0;
    select(16, 31);
    copySelection(melody, selection, clipboard);
    const Melody before = melody;

    select(5, 40);
    pasteClipboard(melody, selection, clipboard, PasteLayout);
    EXPECT_EQ(selection.selectionLast, 20);
    for (std::int32_t c = 0; c <= last; ++c) {
        for (std::int32_t r = 0; r <= melody.lastRow; ++r) {
            const Cell& now = melody.grid.at(c, r);
            const Cell& then = before.grid.at(c, r);
            ASSERT_EQ(now.hasNote, then.hasNote) << c << "," << r;
            ASSERT_EQ(now.joinLeft, then.joinLeft) << c << "," << r;
            ASSERT_EQ(now.joinRight, then.joinRight) << c << "," << r;
        }
    }
    for (std::int32_t i = 1; i <= 15; ++i)
        EXPECT_EQ(melody.marks[5 + i], before.marks[16 + i]);
    EXPECT_EQ(melody.marks[5], before.marks[5]);
    EXPECT_NE(melody.grid.at(last, 0).x, before.grid.at(last, 0).x) << "geometry follows marks";
    EXPECT_TRUE(cachesAreFresh(melody, selection));
}

TEST_F(ColumnEditing, PasteOverItsOwnSourceReadsTheSnapshot) {
    for (std::int32_t c = 0; c < 8; ++c)
        setNote(melody, c, 20 + c);
    select(0, 7);
    copySelection(melody, selection, clipboard);
    select(2, 30);
    pasteClipboard(melody, selection, clipboard, PasteNotes);
    const std::vector<std::int32_t> rows = noteRows(melody);
    EXPECT_EQ(std::vector<std::int32_t>(rows.begin(), rows.begin() + 11),
              (std::vector<std::int32_t>{20, 21, 20, 21, 22, 23, 24, 25, 26, 27, NoRow}));

    // The clipboard survives a paste: the same columns can go in again.
    select(40, 40);
    pasteClipboard(melody, selection, clipboard, PasteNotes);
    EXPECT_EQ(selection.selectionLast, 47);
    EXPECT_EQ(melody.grid.noteRow(47), 27);
}

// --- clear ---

TEST_F(ColumnEditing, ClearStopsAtTheGridEdgesAndCutsHeldTones) {
    tieRun(melody, 0, last, 20);
    const ColumnMarks marksBefore = melody.marks;
    select(0, 3);
    clearSelection(melody, selection);
    select(last - 2, last);
    clearSelection(melody, selection);
    select(30, 33);
    clearSelection(melody, selection);

    const std::vector<std::int32_t> rows = noteRows(melody);
    for (std::int32_t c : {0, 3, 30, 33, last - 2, last})
        EXPECT_EQ(rows[c], NoRow) << c;
    for (std::int32_t c : {4, 29, 34, last - 3})
        EXPECT_EQ(rows[c], 20) << c;
    EXPECT_EQ(joinedRow(melody, 4), 20);
    EXPECT_EQ(joinedRow(melody, 28), 20);
    EXPECT_EQ(joinedRow(melody, 3), NoRow);
    EXPECT_EQ(joinedRow(melody, 29), NoRow);
    EXPECT_TRUE(onlyWholeJoins(melody));
    EXPECT_EQ(melody.marks, marksBefore);
}

// --- delete ---

TEST_F(ColumnEditing, DeletingALargeBlockStartKeepsItThere) {
    // Start blocks of 4 x 4: large starts at 0, 16, 32 and 48.
    setNote(melody, 17, 5);
    select(10, 20);
    deleteColumn(melody, selection, 16);
    EXPECT_EQ(melody.grid.noteRow(16), 5);
    EXPECT_EQ(melody.marks[16], MarkLargeStart);
    EXPECT_EQ(melody.marks[19], MarkSmallStart) << "later starts move left with their columns";
    EXPECT_EQ(melody.marks[31], MarkLargeStart);
    // The last large start is now 47: the tail is laid out afresh from there.
    EXPECT_EQ(melody.marks[47], MarkLargeStart);
    EXPECT_EQ(melody.marks[51], MarkSmallStart);
    EXPECT_EQ(melody.marks[48], 0);
    EXPECT_EQ(melody.marks[last], MarkLargeStart);
    EXPECT_EQ(selection.selectionFirst, 10);
    EXPECT_EQ(selection.selectionLast, 20);
    EXPECT_TRUE(cachesAreFresh(melody, selection));
}

TEST_F(ColumnEditing, DeletingAPlainColumnPullsTheNextMarkIn) {
    deleteColumn(melody, selection, 3);
    EXPECT_EQ(melody.marks[3], MarkSmallStart);
    EXPECT_EQ(melody.marks[4], 0);
    EXPECT_EQ(melody.marks[15], MarkLargeStart);
    EXPECT_EQ(melody.marks[47], MarkLargeStart);
    EXPECT_EQ(melody.marks[59], MarkSmallStart);
    EXPECT_EQ(melody.marks[last], MarkLargeStart);
    EXPECT_TRUE(cachesAreFresh(melody, selection));
}

TEST_F(ColumnEditing, DeleteKeepsAHeldToneHeldAndSplitsWhatDoesNotAgree) {
    tieRun(melody, 2, 5, 30);
    deleteColumn(melody, selection, 3);
    EXPECT_EQ(joinedRow(melody, 2), 30);
    EXPECT_EQ(joinedRow(melody, 3), 30);
    EXPECT_EQ(melody.grid.noteRow(5), NoRow) << "the held tone is one column shorter";

    // Held 10-11, a separate note 12 held on to 13: deleting 11 puts two tones side by side.
    tieRun(melody, 10, 11, 40);
    tieRun(melody, 12, 13, 40);
    deleteColumn(melody, selection, 11);
    EXPECT_EQ(melody.grid.noteRow(11), 40);
    EXPECT_EQ(joinedRow(melody, 10), NoRow);
    EXPECT_EQ(joinedRow(melody, 11), 40);

    tieRun(melody, last - 3, last, 50);
    deleteColumn(melody, selection, last);
    EXPECT_EQ(melody.grid.noteRow(last), NoRow);
    EXPECT_EQ(joinedRow(melody, last - 3), 50);
    EXPECT_EQ(joinedRow(melody, last - 2), 50);
    EXPECT_TRUE(onlyWholeJoins(melody));
}

// --- insert ---

TEST_F(ColumnEditing, InsertAtABlockStartGivesTheEmptyColumnThatStart) {
    tieRun(melody, 15, 17, 30);
    tieRun(melody, last - 3, last, 70); // its last column falls off the end
    select(20, 30);
    insertColumn(melody, selection, 16);
    EXPECT_EQ(melody.grid.noteRow(16), NoRow);
    EXPECT_EQ(melody.grid.noteRow(17), 30);
    EXPECT_EQ(melody.grid.noteRow(18), 30);
    EXPECT_EQ(joinedRow(melody, 15), NoRow) << "the empty column splits the held tone";
    EXPECT_EQ(joinedRow(melody, 17), 30) << "the moved part stays held";
    EXPECT_EQ(melody.marks[16], MarkLargeStart);
    EXPECT_EQ(melody.marks[17], 0);
    EXPECT_EQ(melody.marks[21], MarkSmallStart);
    EXPECT_EQ(melody.marks[33], MarkLargeStart);
    EXPECT_EQ(melody.marks[61], MarkSmallStart);
    EXPECT_EQ(selection.selectionFirst, 20);
    EXPECT_EQ(selection.selectionLast, 30);
    EXPECT_TRUE(onlyWholeJoins(melody));
    EXPECT_TRUE(cachesAreFresh(melody, selection));
}

TEST_F(ColumnEditing, InsertAtTheLastColumnOnlyEmptiesIt) {
    tieRun(melody, last - 2, last, 30);
    const Melody before = melody;
    insertColumn(melody, selection, last);
    EXPECT_EQ(melody.marks, before.marks);
    EXPECT_EQ(melody.grid.noteRow(last), NoRow);
    EXPECT_EQ(joinedRow(melody, last - 2), 30);
    EXPECT_EQ(joinedRow(melody, last - 1), NoRow);
    EXPECT_TRUE(onlyWholeJoins(melody));
    const std::vector<std::int32_t> rowsBefore = noteRows(before);
    const std::vector<std::int32_t> rowsAfter = noteRows(melody);
    EXPECT_TRUE(std::equal(rowsAfter.begin(), rowsAfter.end() - 1, rowsBefore.begin()));
}

// --- transpose ---

TEST_F(ColumnEditing, TransposeMovesNotesWithTheirTiesAndCutsTiesAtTheEdgesOfTheSelection) {
    tieRun(melody, 4, 9, 30);
    setNote(melody, 20, 95);
    select(6, 12);
    EXPECT_EQ(transposeNotes(melody, selection, -12), "");
    for (std::int32_t c = 6; c <= 9; ++c)
        EXPECT_EQ(melody.grid.noteRow(c), 18) << c;
    EXPECT_EQ(joinedRow(melody, 6), 18) << "ties inside the selection move along";
    EXPECT_EQ(joinedRow(melody, 5), NoRow) << "the tie into the selection ends at its edge";
    EXPECT_TRUE(onlyWholeJoins(melody));

    // Column 20 holds the lowest row: moving the whole melody down refuses and changes nothing.
    selection.selectionActive = 0;
    const Melody before = melody;
    EXPECT_NE(transposeNotes(melody, selection, 1), "");
    EXPECT_TRUE(melody.grid == before.grid);
    EXPECT_EQ(transposeNotes(melody, selection, -1), "");
    EXPECT_EQ(melody.grid.noteRow(20), 94);
    EXPECT_EQ(melody.grid.noteRow(4), 29);
}

TEST_F(ColumnEditing, FittingByOctavesMovesEachToneWholeIntoTheRangeAsFarAsTheGridReaches) {
    Pitch pitch;
    test::startPitch(pitch);
    tieRun(melody, 4, 6, 80); // 79 Hz, tied: two octaves up as one, to 316 Hz
    setNote(melody, 10, 40);  // 792 Hz, inside
    setNote(melody, 12, 2);   // 7040 Hz: two octaves down, to 1760 Hz
    setNote(melody, 14, 94);  // 35 Hz: three octaves up, to 281 Hz
    selection.selectionActive = 0;
    EXPECT_EQ(fitNotesByOctaves(melody, pitch, selection, 261.0, 2000.0), 5);
    for (std::int32_t c = 4; c <= 6; ++c)
        EXPECT_EQ(melody.grid.noteRow(c), 56) << c;
    EXPECT_EQ(joinedRow(melody, 4), 56);
    EXPECT_EQ(melody.grid.noteRow(10), 40);
    EXPECT_EQ(melody.grid.noteRow(12), 26);
    EXPECT_EQ(melody.grid.noteRow(14), 58);
    EXPECT_TRUE(onlyWholeJoins(melody));
}

// --- random melodies ---

TEST_F(ColumnEditing, RandomEditsKeepJoinsWholeAndMoveColumnsWhole) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        std::uniform_int_distribution<std::int32_t> anyCount(MinColumnCount, 80);
        std::uniform_int_distribution<std::int32_t> anyBlock(1, 5);
        const std::int32_t count = anyCount(random);
        resetMelody(melody, count, anyBlock(random), anyBlock(random));
        clipboard = {CellGrid(count, melody.lastRow + 1), ColumnMarks(count, 0), 0, 0};
        test::fillRandom(melody, random);
        std::uniform_int_distribution<std::int32_t> anyColumn(0, melody.lastColumn);
        std::uniform_int_distribution<int> anyOperation(0, 4);
        for (int step = 0; step < 12; ++step) {
            const std::int32_t a = anyColumn(random);
            const std::int32_t b = anyColumn(random);
            select(std::min(a, b), std::max(a, b));
            const std::int32_t p = anyColumn(random);
            const Melody before = melody;
            const std::vector<std::int32_t> rowsBefore = noteRows(melody);
            std::vector<std::int32_t> expected = rowsBefore;
            const int operation = anyOperation(random);
            if (operation == 0) {
                insertColumn(melody, selection, p);
                expected.insert(expected.begin() + p, NoRow);
                expected.pop_back();
            } else if (operation == 1) {
                deleteColumn(melody, selection, p);
                expected.erase(expected.begin() + p);
                expected.push_back(NoRow);
            } else if (operation == 2) {
                clearSelection(melody, selection);
                for (std::int32_t c = selection.selectionFirst; c <= selection.selectionLast; ++c)
                    expected[c] = NoRow;
            } else if (operation == 3) {
                copySelection(melody, selection, clipboard);
                EXPECT_EQ(melody.grid, before.grid);
            } else {
                const std::int32_t first = selection.selectionFirst;
                pasteClipboard(melody, selection, clipboard, PasteNotes);
                for (std::int32_t c = first; c <= selection.selectionLast; ++c)
                    expected[c] =
                        clipboard.clipboardGrid.noteRow(clipboard.clipboardFirst + c - first);
                EXPECT_EQ(selection.selectionLast - first,
                          std::min(clipboard.clipboardLast - clipboard.clipboardFirst,
                                   melody.lastColumn - first));
            }
            ASSERT_EQ(noteRows(melody), expected)
                << "round " << round << " operation " << operation;
            ASSERT_TRUE(onlyWholeJoins(melody)) << "round " << round << " operation " << operation;
            ASSERT_TRUE(cachesAreFresh(melody, selection)) << "round " << round;
            ASSERT_EQ(melody.marks[0], MarkLargeStart);
            // Ties away from the seams of an insert or delete travel with their columns.
            if (operation == 0) {
                for (std::int32_t c = 0; c + 1 < p; ++c)
                    ASSERT_EQ(joinedRow(melody, c), joinedRow(before, c)) << c;
                for (std::int32_t c = p + 1; c + 1 <= melody.lastColumn; ++c)
                    ASSERT_EQ(joinedRow(melody, c), joinedRow(before, c - 1)) << c;
            }
            if (operation == 1) {
                for (std::int32_t c = 0; c + 1 < p; ++c)
                    ASSERT_EQ(joinedRow(melody, c), joinedRow(before, c)) << c;
                for (std::int32_t c = p; c + 2 <= melody.lastColumn; ++c)
                    ASSERT_EQ(joinedRow(melody, c), joinedRow(before, c + 1)) << c;
            }
        }
    }
}

} // namespace
} // namespace vemo
