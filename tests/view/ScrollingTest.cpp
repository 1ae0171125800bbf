#include "view/Scrolling.h"

#include "app/Layout.h"
#include "model/Geometry.h"
#include "platform/Ids.h"
#include "tests/support/FakePlatform.h"
#include "tests/view/ViewFixture.h"
#include "view/GridPass.h"
#include "view/MouseEditing.h"
#include "view/Redraw.h"

#include "view/PixelScale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vemo {
namespace {

constexpr std::int32_t ClientWidth = 800;
constexpr std::int32_t ClientHeight = 600;
constexpr std::int32_t ToolbarHeight = 39;
constexpr std::int32_t OutsidePx = -1;

// Start-up geometry: 512 columns of 12 x 8 cells, the areas laid out for the client size.
class Scrolling : public ::testing::Test, protected test::ViewHarness {
  protected:
    void SetUp() override {
        test::resetMelody(state.melody, 512);
        test::startPitch(state.pitch);
        state.selection.selectionLast = state.melody.lastColumn;
        updateSelectionEdges(state.melody, state.selection);
        View& view = state.view;
        view.horizontalScroll = 0.3;
        view.verticalScroll = 0.5;
        view.verArea = {GridLeft, ToolbarHeight, 1, ScrollBarThickness, 0, 0};
        view.horArea = {1, ToolbarHeight + ScrollBarThickness + AreaGap, ScrollBarThickness, 1, 0,
                        0};
        view.mainArea = {GridLeft, view.horArea.y, 1, 1, 0, 0};
        fake.ui.windows[WindowId::Main].width = ClientWidth;
        fake.ui.windows[WindowId::Main].height = ClientHeight;
        layoutMainWindow(view, fake.ui);
    }

    void pointTo(std::int32_t x, std::int32_t y) {
        state.view.pointerX = x;
        state.view.pointerY = y;
    }

    void hold(std::int32_t key) { fake.ui.keys[key] = KeyDownNow; }
    void letGo(std::int32_t key) { fake.ui.keys.erase(key); }

    // One pass with the pointer at (x, y): the loop's per-pass steps and a pointer-move event.
    void moveWhilePanning(std::int32_t x, std::int32_t y) {
        pointTo(x, y);
        pointerMoved(editor);
        switchPanMode(editor);
    }

    void startPanAt(std::int32_t x, std::int32_t y) {
        hold(Key::MiddleButton);
        pointTo(x, y);
        switchPanMode(editor);
        ASSERT_EQ(state.view.panning, 1);
    }

    int shown(ControlId controlId) { return fake.ui.showImageCount[controlId]; }

    double columnShare(std::int32_t px) const {
        return px * PanShareOfRangePerPixel / state.melody.lastColumn;
    }
};

TEST_F(Scrolling, PressingTheMiddleOfABarMovesTheViewToTheMiddle) {
    const ImageArea& ver = state.view.verArea;
    const ImageArea& hor = state.view.horArea;
    state.view.hScrollDrag = 1;
    pointTo(ver.x + ver.width / 2, ClientHeight - 1); // only the coordinate along the bar counts
    scrollBarDragStep(editor);
    EXPECT_NEAR(state.view.horizontalScroll, 0.5, 1.0 / ver.width);
    EXPECT_EQ(shown(ControlId::VerImage), 1);
    EXPECT_EQ(shown(ControlId::MainImage), 1);
    EXPECT_EQ(shown(ControlId::HorImage), 0);

    state.view.hScrollDrag = 0;
    state.view.vScrollDrag = 1;
    state.view.verticalScroll = 0.1;
    pointTo(1, hor.y + hor.height / 2);
    scrollBarDragStep(editor);
    EXPECT_NEAR(state.view.verticalScroll, 0.5, 1.0 / hor.height);
    EXPECT_EQ(shown(ControlId::HorImage), 1);
    EXPECT_EQ(shown(ControlId::MainImage), 2);
    EXPECT_NEAR(state.view.horizontalScroll, 0.5, 1.0 / ver.width);
}

TEST_F(Scrolling, BarDragFollowsThePointerOnlyWithinTheBar) {
    const ImageArea& ver = state.view.verArea;
    const ImageArea& hor = state.view.horArea;
    state.view.hScrollDrag = 1;
    state.view.vScrollDrag = 1;
    for (const auto& [x, y] :
         {std::pair{ver.x - 1, hor.y - 1}, std::pair{ver.x + ver.width, hor.y + hor.height}}) {
        pointTo(x, y);
        scrollBarDragStep(editor);
        EXPECT_EQ(state.view.horizontalScroll, 0.3);
        EXPECT_EQ(state.view.verticalScroll, 0.5);
    }
    EXPECT_TRUE(fake.ui.showImageCount.empty());

    // Back on the bar the view follows at once: the last pixel stays short of the end.
    pointTo(ver.x + ver.width - 1, hor.y);
    scrollBarDragStep(editor);
    EXPECT_EQ(state.view.horizontalScroll, 1.0); // snapped by the bar
    EXPECT_EQ(state.view.verticalScroll, 0.0);
}

TEST_F(Scrolling, NoDragNoMove) {
    const ImageArea& ver = state.view.verArea;
    pointTo(ver.x + ver.width / 2, ver.y);
    scrollBarDragStep(editor);
    EXPECT_EQ(state.view.horizontalScroll, 0.3);
    EXPECT_TRUE(fake.ui.showImageCount.empty());
}

TEST_F(Scrolling, PanModeFollowsMOrTheMiddleButtonDownNow) {
    fake.ui.keys[Key::M] = KeyPressedSince; // went down earlier, up now
    pointTo(300, 300);
    switchPanMode(editor);
    EXPECT_EQ(state.view.panning, 0);

    hold(Key::M);
    switchPanMode(editor);
    EXPECT_EQ(state.view.panning, 1);
    EXPECT_EQ(state.view.panAnchorX, 300);
    EXPECT_EQ(state.view.panAnchorY, 300);
    letGo(Key::M);
    hold(Key::MiddleButton);
    switchPanMode(editor);
    EXPECT_EQ(state.view.panning, 1);
    letGo(Key::MiddleButton);
    switchPanMode(editor);
    EXPECT_EQ(state.view.panning, 0);
}

TEST_F(Scrolling, PanMovesTheViewByAFifthOfTheRangePerIndexPerPixel) {
    startPanAt(300, 300);
    moveWhilePanning(400, 300);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, 0.3 + 100 * 0.2 / 511);
    EXPECT_EQ(state.view.verticalScroll, 0.5);
    EXPECT_EQ(shown(ControlId::VerImage), 1);
    EXPECT_EQ(shown(ControlId::HorImage), 1);
    EXPECT_EQ(shown(ControlId::MainImage), 1);

    moveWhilePanning(400, 250);
    EXPECT_DOUBLE_EQ(state.view.verticalScroll, 0.5 - 50 * 0.2 / 95);
}

TEST_F(Scrolling, PanStopsAtTheEndsAndMovesBackAtOnce) {
    state.view.horizontalScroll = 0.95;
    state.view.verticalScroll = 0.02;
    startPanAt(300, 300);
    moveWhilePanning(1300, 200);
    EXPECT_EQ(state.view.horizontalScroll, 1.0);
    EXPECT_EQ(state.view.verticalScroll, 0.0);
    moveWhilePanning(1290, 210);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, 1.0 - columnShare(10));
    EXPECT_DOUBLE_EQ(state.view.verticalScroll, 10 * PanShareOfRangePerPixel / 95);
}

TEST_F(Scrolling, APanNearTheStartStaysWhereItWasAlsoAfterPanModeEnds) {
    state.view.horizontalScroll = 0.0;
    startPanAt(300, 300);
    moveWhilePanning(305, 300);
    const double nearTheStart = columnShare(5);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, nearTheStart);
    letGo(Key::MiddleButton);
    switchPanMode(editor);
    redraw(editor, RedrawVer);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, nearTheStart);
}

TEST(BarFraction, APressNearAnEndPullsTheViewThereWhereThatSkipsNothing) {
    struct Case {
        std::int32_t px;
        double rangePx;
        double expected;
    };
    // A 500-pixel bar over a view 700 pixels wide. At 200 pixels of range a bar pixel the pull
    // stops at pixel 2, as the view of pixel 3 still overlaps the start's; at 800 there is none.
    const Case cases[] = {
        {5, 7000, 0.0},
        {6, 7000, 6.0 / 500},
        {493, 7000, 493.0 / 500},
        {494, 7000, 1.0},
        {2, 100000, 0.0},
        {3, 100000, 3.0 / 500},
        {497, 100000, 497.0 / 500},
        {498, 100000, 1.0},
        {1, 400000, 1.0 / 500},
    };
    for (const Case& c : cases)
        EXPECT_EQ(barFraction(c.px, 500, c.rangePx, 700), c.expected) << c.px << " " << c.rangePx;
}

TEST(BarReach, AtFourTimesZoomEveryColumnOfTheLongestMelodyCanBeBroughtIntoViewByTheBar) {
    test::ViewHarness harness;
    EditorState& state = harness.state;
    test::prepareState(state, MaxColumnCount, 728, 512);
    state.view.zoom = MaxZoom;
    state.view.verArea = {GridLeft, 39, 728, ScrollBarThickness, 728, ScrollBarThickness};
    const Melody& melody = state.melody;
    const std::int32_t viewWidth = unzoomedLength(728, MaxZoom);
    std::vector<bool> seen(static_cast<std::size_t>(MaxColumnCount), false);
    state.view.hScrollDrag = 1;
    for (std::int32_t px = 0; px < state.view.verArea.width; ++px) {
        state.view.pointerX = state.view.verArea.x + px;
        scrollBarDragStep(harness.editor);
        const std::int32_t scrollX = gridScrollOffsets(melody, state.view).scrollX;
        for (std::int32_t c = 0; c <= melody.lastColumn; ++c) {
            const std::int32_t x = melody.grid.at(c, 0).x - scrollX;
            if (x >= 0 && x + melody.columnWidth <= viewWidth)
                seen[static_cast<std::size_t>(c)] = true;
        }
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);
    EXPECT_EQ(state.view.horizontalScroll, 1.0) << "the last pixel still reaches the end";
}

TEST_F(Scrolling, NewPanStartsFromThePointerWithoutAJump) {
    startPanAt(300, 300);
    moveWhilePanning(320, 300);
    letGo(Key::MiddleButton);
    switchPanMode(editor); // a pass without an event sees the button up
    moveWhilePanning(600, 300);
    moveWhilePanning(700, 300);
    const double afterFirstPan = state.view.horizontalScroll;
    EXPECT_DOUBLE_EQ(afterFirstPan, 0.3 + columnShare(20));
    startPanAt(700, 300);
    moveWhilePanning(710, 300);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, afterFirstPan + columnShare(10));
}

TEST_F(Scrolling, PanPausesOverTheGridDuringABarDragButNotOnItsBorder) {
    const ImageArea& grid = state.view.mainArea;
    state.view.hScrollDrag = 1;
    startPanAt(grid.x + 100, grid.y + 100);
    moveWhilePanning(grid.x + 150, grid.y + 100);
    EXPECT_EQ(state.view.horizontalScroll, 0.3);
    EXPECT_EQ(state.view.panAnchorX, grid.x + 100);
    moveWhilePanning(grid.x, grid.y + 100);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, 0.3 - columnShare(100));
}

TEST_F(Scrolling, PanWorksAnywhereInTheWindowAndWaitsWhileThePointerIsOutside) {
    startPanAt(20, 20); // over the toolbar, not the grid
    moveWhilePanning(30, 20);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, 0.3 + columnShare(10));
    const double beforeLeaving = state.view.horizontalScroll;
    moveWhilePanning(OutsidePx, OutsidePx);
    EXPECT_EQ(state.view.horizontalScroll, beforeLeaving);
    EXPECT_EQ(state.view.verticalScroll, 0.5);
    EXPECT_EQ(state.view.panAnchorX, 30);
    moveWhilePanning(40, 20);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, beforeLeaving + columnShare(10));
}

TEST_F(Scrolling, PanBegunOutsideTheWindowAnchorsWhereThePointerComesIn) {
    startPanAt(OutsidePx, OutsidePx);
    moveWhilePanning(500, 400);
    EXPECT_EQ(state.view.horizontalScroll, 0.3);
    EXPECT_EQ(state.view.verticalScroll, 0.5);
    moveWhilePanning(510, 400);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, 0.3 + columnShare(10));
}

TEST_F(Scrolling, OnePointerMovePaintsAndThenPans) {
    const std::int32_t row = 40;
    const auto cellPointer = [&](std::int32_t column) {
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
        const Cell& cell = state.melody.grid.at(column, row);
        return std::pair{state.view.mainArea.x + cell.x - offsets.scrollX + 2,
                         state.view.mainArea.y + cell.y - offsets.scrollY + 2};
    };
    hold(Key::LeftButton);
    const auto [fromX, fromY] = cellPointer(160);
    pointTo(fromX, fromY);
    gridClick(editor, LeftClick);
    startPanAt(fromX, fromY);
    const auto [toX, toY] = cellPointer(161);
    moveWhilePanning(toX, toY);
    EXPECT_EQ(state.melody.grid.noteRow(161), row);
    EXPECT_EQ(state.melody.grid.at(161, row).joinLeft, 1);
    EXPECT_DOUBLE_EQ(state.view.horizontalScroll, 0.3 + columnShare(state.melody.columnWidth));
}

} // namespace
} // namespace vemo
