#include "view/GridPass.h"

#include "model/Geometry.h"
#include "tests/view/ViewFixture.h"
#include "view/Colours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace vemo {
namespace {

using test::EmptyColours;
using test::fractionFor;
using test::HeldBothColours;
using test::HeldLeftColours;
using test::HeldRightColours;
using test::makeBitmaps;
using test::NoteColours;
using test::prepareState;
using test::setNote;

using CellList = std::vector<std::pair<std::int32_t, std::int32_t>>;

// The plain way: test every cell of the melody, in column order.
Image referenceGrid(const EditorState& state, const CellBitmaps& bitmaps, CellList& visible) {
    const Melody& m = state.melody;
    const std::int32_t w = state.view.mainArea.imageWidth;
    const std::int32_t h = state.view.mainArea.imageHeight;
    const double xRange = m.lastColumn * m.columnWidth + m.markTotal + m.columnWidth - (w - 10) + 5;
    const double yRange = m.lastRow * m.rowHeight + (m.lastRow / 12) * 4 - (h - 27) + 5;
    const auto sx = static_cast<std::int32_t>(std::nearbyint(xRange * state.view.horizontalScroll));
    const auto sy = static_cast<std::int32_t>(std::nearbyint(yRange * state.view.verticalScroll));

    Image image(w, h);
    image.fillRect(0, 0, w, h, colours::GridBackground);
    const Selection& s = state.selection;
    if (s.selectionActive != 0) {
        image.fillRect(s.selectionLeftX - sx, 0, s.selectionRightX - s.selectionLeftX, h,
                       colours::SelectionFill);
        image.verticalLine(s.selectionLeftX - sx, colours::SelectionLeftEdge);
        image.verticalLine(s.selectionRightX - sx, colours::SelectionRightEdge);
    }
    for (std::int32_t c = 0; c <= m.lastColumn; ++c) {
        for (std::int32_t r = 0; r <= m.lastRow; ++r) {
            const Cell& cell = m.grid.at(c, r);
            if (!(cell.x > sx - 10 && cell.x < sx + w + 10 && cell.y > sy - 10 &&
                  cell.y < sy + h + 10))
                continue;
            visible.emplace_back(c, r);
            const Image* bitmap = &bitmaps.img01;
            std::int32_t lead = 0;
            if (cell.hasNote != 0) {
                if (cell.joinLeft != 0 && cell.joinRight != 0) {
                    bitmap = &bitmaps.img02LR;
                    lead = 4;
                } else if (cell.joinLeft != 0) {
                    bitmap = &bitmaps.img02L;
                    lead = 4;
                } else if (cell.joinRight != 0) {
                    bitmap = &bitmaps.img02R;
                } else {
                    bitmap = &bitmaps.img02;
                }
            }
            image.blit(*bitmap, cell.x - sx - lead, cell.y - sy);
        }
    }
    return image;
}

// The grid image the last paint of a test left, read by `at`.
Image painted;

void paint(const EditorState& state, const CellBitmaps& bitmaps) {
    painted = test::paintedGrid(state, bitmaps);
}

// Paints, and gives the cells the pass draws, column by column and top to bottom.
CellList paintAndRecord(const EditorState& state, const CellBitmaps& bitmaps) {
    paint(state, bitmaps);
    const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
    const std::int32_t width = viewWidth(state.view);
    const std::int32_t height = viewHeight(state.view);
    const VisibleBlock block = visibleBlock(state.melody, offsets, width, height);
    CellList drawn;
    for (std::int32_t c = block.firstColumn; c < block.endColumn; ++c)
        for (std::int32_t r = block.firstRow; r < block.endRow; ++r) {
            const Cell& cell = state.melody.grid.at(c, r);
            if (isCellVisible(cell.x, cell.y, offsets, width, height)) drawn.emplace_back(c, r);
        }
    return drawn;
}

Pixel at(const EditorState&, std::int32_t x, std::int32_t y) {
    return painted.pixel(x, y);
}

TEST(GridScrollOffsets, StartUpWidthAtBothEndsAndHalfway) {
    EditorState state;
    prepareState(state, 512, 728, 400);
    ASSERT_EQ(state.melody.markTotal, 384);
    state.view.horizontalScroll = 1.0;
    EXPECT_EQ(gridScrollOffsets(state.melody, state.view).scrollX, 5815);
    state.view.horizontalScroll = 0.5; // 2907.5
    EXPECT_EQ(gridScrollOffsets(state.melody, state.view).scrollX, 2908);
    test::setImageSize(state.view.mainArea, 730, 400);
    EXPECT_EQ(gridScrollOffsets(state.melody, state.view).scrollX, 2906); // 2906.5
    state.view.horizontalScroll = 0.0;
    EXPECT_EQ(gridScrollOffsets(state.melody, state.view).scrollX, 0);
}

TEST(GridScrollOffsets, VerticalRangeCountsOctaveGapsAndRoundsHalvesToEven) {
    EditorState state;
    prepareState(state, 32, 300, 400);
    state.view.verticalScroll = 1.0;
    EXPECT_EQ(gridScrollOffsets(state.melody, state.view).scrollY, 420);
    state.view.verticalScroll = 0.5;
    EXPECT_EQ(gridScrollOffsets(state.melody, state.view).scrollY, 210);
    test::setImageSize(state.view.mainArea, 300, 401); // 209.5
    EXPECT_EQ(gridScrollOffsets(state.melody, state.view).scrollY, 210);
    test::setImageSize(state.view.mainArea, 300, 399); // 210.5
    EXPECT_EQ(gridScrollOffsets(state.melody, state.view).scrollY, 210);
}

TEST(CellVisibility, StrictTenPixelMarginOnAllFourSides) {
    const ScrollOffsets offsets{100, 50};
    const std::int32_t width = 200;
    const std::int32_t height = 80;
    const std::int32_t insideX = 150;
    const std::int32_t insideY = 60;
    EXPECT_TRUE(isCellVisible(insideX, insideY, offsets, width, height));
    EXPECT_FALSE(isCellVisible(90, insideY, offsets, width, height));
    EXPECT_TRUE(isCellVisible(91, insideY, offsets, width, height));
    EXPECT_FALSE(isCellVisible(310, insideY, offsets, width, height));
    EXPECT_TRUE(isCellVisible(309, insideY, offsets, width, height));
    EXPECT_FALSE(isCellVisible(insideX, 40, offsets, width, height));
    EXPECT_TRUE(isCellVisible(insideX, 41, offsets, width, height));
    EXPECT_FALSE(isCellVisible(insideX, 140, offsets, width, height));
    EXPECT_TRUE(isCellVisible(insideX, 139, offsets, width, height));
}

TEST(GridPass, AtTheRightEndTheViewShowsTenPixelsPastTheLastColumn) {
    EditorState state;
    prepareState(state, 512, 728, 100);
    state.view.horizontalScroll = 1.0;
    paint(state, makeBitmaps());
    const std::int32_t rowZero = 12;
    EXPECT_EQ(at(state, 706, rowZero), EmptyColours.edge); // last column starts at 6521 - 5815
    EXPECT_EQ(at(state, 716, rowZero), EmptyColours.body);
    for (std::int32_t x = 717; x < 728; ++x)
        EXPECT_EQ(at(state, x, rowZero), colours::GridBackground) << "x " << x;
}

TEST(GridPass, ViewWiderThanContentMovesColumnsRight) {
    EditorState state;
    prepareState(state, 32, 600, 100);
    state.view.horizontalScroll = 0.5; // range -177: scrollX -88.5 rounds to -88
    ASSERT_EQ(gridScrollOffsets(state.melody, state.view).scrollX, -88);
    paint(state, makeBitmaps());
    EXPECT_EQ(at(state, 98, 12), colours::GridBackground);
    EXPECT_EQ(at(state, 99, 12), EmptyColours.edge); // column 0 at x 11
    const std::int32_t lastRightEdge = state.melody.grid.at(31, 0).x + 88 + 11;
    EXPECT_EQ(at(state, lastRightEdge - 1, 12), EmptyColours.body);
    EXPECT_EQ(at(state, lastRightEdge, 12), colours::GridBackground);
}

// Cells of 16 x 16 with 15 x 15 bitmaps: a cell 10 pixels outside would still reach into view.
class GridMargin : public ::testing::Test {
  protected:
    void SetUp() override {
        prepareState(state, 32, 200, 100, 16, 16);
        bitmaps = makeBitmaps(16, 16);
        ASSERT_EQ(state.melody.grid.at(2, 0).x, 43);
        ASSERT_EQ(state.melody.grid.at(0, 1).y, 26);
    }
    EditorState state;
    CellBitmaps bitmaps;
};

TEST_F(GridMargin, ColumnTenPixelsLeftOfTheViewIsNotDrawn) {
    const std::int32_t range = 551 - 200;
    state.view.horizontalScroll = fractionFor(53, range);
    ASSERT_EQ(gridScrollOffsets(state.melody, state.view).scrollX, 53);
    const CellList visited = paintAndRecord(state, bitmaps);
    for (std::int32_t x = 0; x < 6; ++x)
        EXPECT_EQ(at(state, x, 12), colours::GridBackground);
    EXPECT_EQ(at(state, 6, 12), EmptyColours.edge); // column 3
    EXPECT_EQ(visited.front().first, 3);

    state.view.horizontalScroll = fractionFor(52, range);
    const CellList visitedNine = paintAndRecord(state, bitmaps);
    EXPECT_EQ(at(state, 0, 12), EmptyColours.body); // column 2, nine pixels out
    EXPECT_EQ(visitedNine.front().first, 2);
}

TEST_F(GridMargin, RowTenPixelsAboveTheViewIsNotDrawn) {
    const std::int32_t range = 1580 - 100;
    state.view.verticalScroll = fractionFor(36, range);
    ASSERT_EQ(gridScrollOffsets(state.melody, state.view).scrollY, 36);
    const CellList visited = paintAndRecord(state, bitmaps);
    for (std::int32_t y = 0; y < 6; ++y)
        EXPECT_EQ(at(state, 12, y), colours::GridBackground);
    EXPECT_EQ(at(state, 12, 6), EmptyColours.body); // row 2
    EXPECT_EQ(visited.front().second, 2);

    state.view.verticalScroll = fractionFor(35, range);
    const CellList visitedNine = paintAndRecord(state, bitmaps);
    EXPECT_EQ(at(state, 12, 0), EmptyColours.body);
    EXPECT_EQ(visitedNine.front().second, 1);
}

TEST(GridPass, BitmapFollowsTheCellsOwnJoinFlags) {
    EditorState state;
    prepareState(state, 32, 200, 100);
    Melody& melody = state.melody;
    setNote(melody, 1, 0);
    setNote(melody, 2, 0, false, true);
    setNote(melody, 3, 0, true, false);
    setNote(melody, 4, 0, true, true);
    setNote(melody, 5, 1);
    melody.grid.at(5, 1).joinLeft = 7; // any non-zero value counts
    melody.grid.at(5, 1).joinRight = -1;
    melody.grid.at(6, 0).joinLeft = 1; // flags without a note are ignored
    melody.grid.at(6, 0).joinRight = 1;
    paint(state, makeBitmaps());

    const std::int32_t y = 10;
    EXPECT_EQ(at(state, 10, y), colours::GridBackground);
    EXPECT_EQ(at(state, 11, y), EmptyColours.edge);
    EXPECT_EQ(at(state, 23, y), NoteColours.edge);
    EXPECT_EQ(at(state, 35, y), HeldRightColours.edge);
    EXPECT_EQ(at(state, 42, y), HeldRightColours.body);
    EXPECT_EQ(at(state, 43, y), HeldLeftColours.edge); // column 3 at x 47, drawn from 43
    EXPECT_EQ(at(state, 56, y), HeldLeftColours.body);
    EXPECT_EQ(at(state, 57, y), HeldBothColours.edge); // column 4 at x 61, drawn from 57
    EXPECT_EQ(at(state, 71, y), HeldBothColours.body);
    EXPECT_EQ(at(state, 72, y), colours::GridBackground);
    EXPECT_EQ(at(state, 69, 18), HeldBothColours.edge); // column 5 at x 73, row 1
    EXPECT_EQ(at(state, 85, y), EmptyColours.edge);     // column 6 at x 85
}

TEST(GridPass, SelectionFillShowsBetweenCellsAndEdgesSitOutside) {
    EditorState state;
    prepareState(state, 32, 200, 100);
    const CellBitmaps bitmaps = makeBitmaps();
    state.selection.selectionFirst = 2; // x 35
    state.selection.selectionLast = 4;  // x 61
    updateSelectionEdges(state.melody, state.selection);

    paint(state, bitmaps);
    EXPECT_EQ(at(state, 34, 17), colours::GridBackground) << "selection not in use";

    state.selection.selectionActive = 1;
    paint(state, bitmaps);
    const std::int32_t gapRow = 17; // between rows 0 and 1
    for (std::int32_t y : {0, gapRow, 99}) {
        EXPECT_EQ(at(state, 34, y), colours::SelectionLeftEdge) << "y " << y;
        EXPECT_EQ(at(state, 72, y), colours::SelectionRightEdge) << "y " << y;
    }
    EXPECT_EQ(at(state, 33, gapRow), colours::GridBackground);
    EXPECT_EQ(at(state, 35, gapRow), colours::SelectionFill);
    EXPECT_EQ(at(state, 71, gapRow), colours::SelectionFill);
    EXPECT_EQ(at(state, 73, gapRow), colours::GridBackground);
    EXPECT_EQ(at(state, 46, 12), colours::SelectionFill); // gap before column 3
    EXPECT_EQ(at(state, 58, 12), colours::SelectionFill); // wider gap before column 4
    EXPECT_EQ(at(state, 35, 12), EmptyColours.edge);      // cells cover the fill
    EXPECT_EQ(at(state, 71, 12), EmptyColours.body);
    EXPECT_EQ(at(state, 72, 12), colours::SelectionRightEdge);
}

TEST(GridPass, SameAsTestingEveryCellOnRandomMelodies) {
    std::mt19937 random(20240611);
    const auto pick = [&](std::int32_t low, std::int32_t high) {
        return std::uniform_int_distribution<std::int32_t>(low, high)(random);
    };
    std::uniform_real_distribution<double> fraction(0.0, 1.0);
    for (int round = 0; round < 120; ++round) {
        EditorState state;
        const std::int32_t columnWidth = pick(2, 14);
        const std::int32_t rowHeight = pick(2, 10);
        prepareState(state, pick(32, 200), pick(1, 500), pick(1, 400), columnWidth, rowHeight);
        Melody& melody = state.melody;
        melody.smallBlock = pick(1, 16);
        melody.largeBlock = pick(1, 16);
        computeMarks(melody);
        computeGeometry(melody);
        for (std::int32_t c = 0; c <= melody.lastColumn; ++c) {
            if (pick(0, 1) == 0) continue;
            Cell& cell = melody.grid.at(c, pick(0, melody.lastRow));
            cell.hasNote = 1;
            cell.joinLeft = pick(0, 2);
            cell.joinRight = pick(0, 2);
        }
        state.selection.selectionActive = pick(0, 1);
        state.selection.selectionFirst = pick(0, melody.lastColumn);
        state.selection.selectionLast = pick(state.selection.selectionFirst, melody.lastColumn);
        updateSelectionEdges(melody, state.selection);
        const double ends[] = {0.0, 1.0, fraction(random)};
        state.view.horizontalScroll = ends[pick(0, 2)];
        state.view.verticalScroll = ends[pick(0, 2)];
        const CellBitmaps bitmaps = makeBitmaps(columnWidth, rowHeight);

        CellList expectedVisible;
        const Image expected = referenceGrid(state, bitmaps, expectedVisible);
        const CellList visited = paintAndRecord(state, bitmaps);
        ASSERT_EQ(painted, expected) << "round " << round;
        ASSERT_EQ(visited, expectedVisible) << "round " << round;
    }
}

TEST(GridPass, LongMelodyInAWideViewMatchesTestingEveryCell) {
    EditorState state;
    prepareState(state, 4096, 1920, 1080);
    std::mt19937 random(7);
    test::fillRandom(state.melody, random);
    const CellBitmaps bitmaps = makeBitmaps();
    for (double position : {0.0, 0.37, 1.0}) {
        state.view.horizontalScroll = position;
        CellList expectedVisible;
        const Image expected = referenceGrid(state, bitmaps, expectedVisible);
        const CellList visited = paintAndRecord(state, bitmaps);
        EXPECT_EQ(painted, expected) << "at " << position;
        EXPECT_EQ(visited, expectedVisible) << "at " << position;
        EXPECT_FALSE(visited.empty());
    }
}

} // namespace
} // namespace vemo
