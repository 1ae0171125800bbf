#include "view/MouseEditing.h"

#include "app/Layout.h"
#include "model/Geometry.h"
#include "platform/Ids.h"
#include "sound/ToneList.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/WholeJoins.h"
#include "tests/view/ViewFixture.h"
#include "view/GridPass.h"
#include "view/Redraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace vemo {
namespace {

constexpr std::int32_t ClientWidth = 800;
constexpr std::int32_t ClientHeight = 600;
constexpr std::int32_t ToolbarHeight = 39;
constexpr std::int32_t InsetPx = 3; // where inside a cell the pointer is put
constexpr std::int32_t Row = 40;
constexpr std::int32_t RowBelow = 41;
constexpr std::int32_t Row50Hz = 440;

// The window as start-up leaves it: 512 columns, 12 x 8 cells, the areas laid out for the
// client size, the view halfway down, the selection toggle on the toolbar.
class MouseEditing : public ::testing::Test, protected test::ViewHarness {
  protected:
    void SetUp() override {
        test::resetMelody(state.melody, 512);
        test::startPitch(state.pitch);
        selectColumns(0, state.melody.lastColumn);
        state.selection.selectionActive = 0;
        View& view = state.view;
        view.verticalScroll = 0.5;
        view.verArea.x = GridLeft;
        view.verArea.y = ToolbarHeight;
        view.verArea.width = 1;
        view.verArea.height = ScrollBarThickness;
        view.horArea = {1, ToolbarHeight + ScrollBarThickness + AreaGap, ScrollBarThickness, 1, 0,
                        0};
        view.mainArea = {GridLeft, view.horArea.y, 1, 1, 0, 0};
        fake.ui.windows[WindowId::Main].width = ClientWidth;
        fake.ui.windows[WindowId::Main].height = ClientHeight;
        layoutMainWindow(view, fake.ui);
        fake.ui.addToolbarButton(CommandId::ToggleSelection, Image(16, 16), true,
                                 "toggle selection usage");
    }

    void selectColumns(std::int32_t first, std::int32_t last) {
        state.selection.selectionFirst = first;
        state.selection.selectionLast = last;
        updateSelectionEdges(state.melody, state.selection);
    }

    // The pointer on the main window, a few pixels into the cell, as the event loop reads it
    // and as the platform reports it now.
    void pointAt(std::int32_t column, std::int32_t row) {
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
        const Cell& cell = state.melody.grid.at(column, row);
        state.view.pointerX = state.view.mainArea.x + cell.x - offsets.scrollX + InsetPx;
        state.view.pointerY = state.view.mainArea.y + cell.y - offsets.scrollY + InsetPx;
        fake.ui.pointerAt = {state.view.pointerX, state.view.pointerY};
    }

    void hold(std::int32_t key) { fake.ui.keys[key] = KeyDownNow; }
    void letGo(std::int32_t key) { fake.ui.keys.erase(key); }

    void clickAt(std::int32_t column, std::int32_t row, std::int32_t clickType) {
        pointAt(column, row);
        gridClick(editor, clickType);
    }

    void moveTo(std::int32_t column, std::int32_t row) {
        pointAt(column, row);
        pointerMoved(editor);
    }

    // Press on the first column, drag through the others on one row, keep the button down.
    void pressAndDrag(std::int32_t row, std::int32_t firstColumn, std::int32_t lastColumn) {
        hold(Key::LeftButton);
        clickAt(firstColumn, row, LeftClick);
        for (std::int32_t c = firstColumn + 1; c <= lastColumn; ++c)
            moveTo(c, row);
    }

    void releaseLeft() {
        letGo(Key::LeftButton);
        leftButtonReleased(editor);
    }

    const Cell& cell(std::int32_t column, std::int32_t row) const {
        return state.melody.grid.at(column, row);
    }

    std::int32_t x(std::int32_t column) const { return cell(column, 0).x; }

    // What a fresh pass paints for the grid as it is now.
    Image currentGridPicture() {
        EditorState copy;
        copy.melody = state.melody;
        copy.selection = state.selection;
        copy.view.horizontalScroll = state.view.horizontalScroll;
        copy.view.verticalScroll = state.view.verticalScroll;
        copy.view.mainArea = state.view.mainArea;
        return test::paintedGrid(copy, bitmaps);
    }

    ToneList tonesOf(std::int32_t firstColumn, std::int32_t lastColumn) const {
        return buildToneList(state.melody, state.pitch, {firstColumn, lastColumn});
    }

    std::int32_t hz(std::int32_t row) const { return rowFrequency(state.melody, state.pitch, row); }
};

TEST_F(MouseEditing, LeftClickSetsTheOnlyNoteOfTheColumnAndSoundsItsRow) {
    test::setNote(state.melody, 10, 30);
    clickAt(10, 50, LeftClick);
    EXPECT_EQ(cell(10, 50).hasNote, 1);
    EXPECT_EQ(cell(10, 30).hasNote, 0);
    EXPECT_EQ(state.stroke.strokeFirst, 10);
    EXPECT_EQ(state.stroke.strokeLast, 10);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    fake.runtime.joinAll();
    const std::vector<test::RecordingBeeper::Call> expected{{Row50Hz, StartColumnDuration, false}};
    EXPECT_EQ(fake.beeper.calls(), expected);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], currentGridPicture());
    // One picture after the edit, and the pace of two grid passes an edit.
    EXPECT_EQ(fake.ui.showImageCount[ControlId::MainImage], 1);
    EXPECT_EQ(fake.runtime.sleeps, (std::vector<std::int32_t>{GridPauseMs, GridPauseMs}));
}

TEST_F(MouseEditing, HitRectanglesTakeTheGapBeforeAColumnAndFollowTheScroll) {
    state.view.horizontalScroll = 0.3;
    const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
    const std::int32_t column = 160; // starts a large block: 6 pixels of gap before it
    ASSERT_EQ(state.melody.marks[column], MarkLargeStart);
    const std::int32_t rowTop = state.view.mainArea.y + cell(column, Row).y - offsets.scrollY;
    const std::int32_t left = state.view.mainArea.x + x(column) - offsets.scrollX;

    state.view.pointerY = rowTop;
    state.view.pointerX = left - MarkLargeStart; // first pixel of the gap
    gridClick(editor, LeftClick);
    EXPECT_EQ(state.melody.grid.noteRow(column), Row);
    state.view.pointerX = left - MarkLargeStart - 1; // last pixel of the column before
    gridClick(editor, LeftClick);
    EXPECT_EQ(state.melody.grid.noteRow(column - 1), Row);
    state.view.pointerX = left + state.melody.columnWidth - 1; // the line after the bitmap
    state.view.pointerY = rowTop + state.melody.rowHeight - 1;
    gridClick(editor, LeftClick);
    EXPECT_EQ(state.melody.grid.noteRow(column), Row);
    state.view.pointerY = rowTop + state.melody.rowHeight;
    gridClick(editor, LeftClick);
    EXPECT_EQ(state.melody.grid.noteRow(column), Row + 1);
    ASSERT_EQ(state.melody.marks[column + 1], 0);
    state.view.pointerX = left + state.melody.columnWidth; // the next column, which has no gap
    state.view.pointerY = rowTop;
    gridClick(editor, LeftClick);
    EXPECT_EQ(state.melody.grid.noteRow(column + 1), Row);
    EXPECT_EQ(state.melody.grid.noteRow(column), Row + 1);
}

TEST_F(MouseEditing, OnlyCellsThePassVisitsCanBeHit) {
    // Column 20 lies exactly at the margin left of the view, so the pass skips it; its hit
    // rectangle still reaches the first two pixels of the image.
    const std::int32_t range = 5815;
    const std::int32_t scrollX = x(20) + 10;
    state.view.horizontalScroll = test::fractionFor(scrollX, range);
    ASSERT_EQ(gridScrollOffsets(state.melody, state.view).scrollX, scrollX);
    const CellGrid before = state.melody.grid;
    pointAt(21, Row);
    state.view.pointerX = state.view.mainArea.x;
    gridClick(editor, LeftClick);
    EXPECT_EQ(state.melody.grid, before);
    EXPECT_EQ(fake.runtime.threadsStarted, 0);
    state.view.pointerX = state.view.mainArea.x + 2; // the first pixel of column 21
    gridClick(editor, LeftClick);
    EXPECT_EQ(state.melody.grid.noteRow(21), Row);
}

TEST_F(MouseEditing, DragAlongARowMakesOneHeldToneCutFromItsNeighbours) {
    // Held tones run into the stroke from both sides before it is painted.
    test::setNote(state.melody, 8, Row, false, true);
    test::setNote(state.melody, 9, Row, true, true);
    test::setNote(state.melody, 10, Row, true, false);
    test::setNote(state.melody, 14, Row, false, true);
    test::setNote(state.melody, 15, Row, true, true);
    test::setNote(state.melody, 16, Row, true, false);

    pressAndDrag(Row, 10, 14);
    releaseLeft();

    for (std::int32_t c = 10; c <= 14; ++c) {
        EXPECT_EQ(state.melody.grid.noteRow(c), Row) << c;
        EXPECT_EQ(cell(c, Row).joinLeft, c > 10 ? 1 : 0) << c;
        EXPECT_EQ(cell(c, Row).joinRight, c < 14 ? 1 : 0) << c;
    }
    EXPECT_EQ(cell(9, Row).joinRight, 0);
    EXPECT_EQ(cell(15, Row).joinLeft, 0);
    EXPECT_EQ(cell(8, Row).joinRight, 1);
    EXPECT_EQ(cell(16, Row).joinLeft, 1);
    const std::int32_t heldMs = 5 * StartColumnDuration;
    EXPECT_EQ(tonesOf(10, 14), (ToneList{{hz(Row), 0, heldMs}}));
    EXPECT_EQ(state.stroke.strokeFirst, -1);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], currentGridPicture());
}

TEST_F(MouseEditing, ChangingRowMidDragStartsANewUntiedStroke) {
    pressAndDrag(Row, 10, 11);
    moveTo(12, RowBelow);
    moveTo(13, RowBelow);
    releaseLeft();

    EXPECT_EQ(cell(10, Row).joinRight, 1);
    EXPECT_EQ(cell(11, Row).joinLeft, 1);
    EXPECT_EQ(cell(11, Row).joinRight, 0);
    EXPECT_EQ(cell(12, RowBelow).joinLeft, 0);
    EXPECT_EQ(cell(12, RowBelow).joinRight, 1);
    EXPECT_EQ(cell(13, RowBelow).joinLeft, 1);
    const std::int32_t twoColumnsMs = 2 * StartColumnDuration;
    EXPECT_EQ(tonesOf(10, 13),
              (ToneList{{hz(Row), 0, twoColumnsMs}, {hz(RowBelow), 0, twoColumnsMs}}));
}

TEST_F(MouseEditing, DraggingBackOverPaintedColumnsRepaintsThemOnTheCurrentRow) {
    pressAndDrag(Row, 10, 13);
    moveTo(12, RowBelow);
    moveTo(11, RowBelow);
    releaseLeft();

    EXPECT_EQ(state.melody.grid.noteRow(10), Row);
    EXPECT_EQ(state.melody.grid.noteRow(11), RowBelow);
    EXPECT_EQ(state.melody.grid.noteRow(12), RowBelow);
    EXPECT_EQ(state.melody.grid.noteRow(13), Row);
    EXPECT_EQ(cell(11, Row).hasNote, 0);
    EXPECT_EQ(cell(12, Row).hasNote, 0);
    EXPECT_EQ(cell(10, Row).joinRight, 0);
    EXPECT_EQ(cell(13, Row).joinLeft, 0);
    EXPECT_EQ(cell(11, RowBelow).joinRight, 1);
    EXPECT_EQ(cell(12, RowBelow).joinLeft, 1);
    // Column 10 lost its tie after it was drawn: only the follow-up pass shows that.
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], currentGridPicture());
}

TEST_F(MouseEditing, LeftDragPaintsOnlyWhileAClickOnTheGridKeepsAStrokeOpen) {
    const CellGrid empty = state.melody.grid;
    hold(Key::LeftButton);
    // Pressed outside the grid, then dragged into it.
    state.view.pointerX = GridLeft - 20;
    state.view.pointerY = 300;
    pointerMoved(editor);
    for (std::int32_t c = 10; c <= 12; ++c)
        moveTo(c, Row);
    EXPECT_EQ(state.melody.grid, empty);

    // After the stroke is closed, a drag with the button still down paints nothing either.
    clickAt(20, Row, LeftClick);
    releaseLeft();
    const CellGrid oneNote = state.melody.grid;
    hold(Key::LeftButton);
    moveTo(21, Row);
    EXPECT_EQ(state.melody.grid, oneNote);
}

TEST_F(MouseEditing, ClickOnAnOctaveGapOpensNoStrokeAndSoundsNothing) {
    const std::int32_t rowAboveGap = 35;
    ASSERT_EQ((rowAboveGap + 1) % RowsPerOctave, 0);
    const CellGrid empty = state.melody.grid;
    hold(Key::LeftButton);
    pointAt(10, rowAboveGap);
    state.view.pointerY += state.melody.rowHeight - InsetPx; // first pixel below the row
    gridClick(editor, LeftClick);
    EXPECT_EQ(state.melody.grid, empty);
    EXPECT_EQ(state.stroke.strokeFirst, -1);
    for (std::int32_t c = 11; c <= 13; ++c)
        moveTo(c, rowAboveGap + 1);
    EXPECT_EQ(state.melody.grid, empty);
    EXPECT_EQ(fake.runtime.threadsStarted, 0);
}

TEST_F(MouseEditing, RightClickOnAHeldNoteSplitsIt) {
    for (std::int32_t c = 10; c <= 14; ++c)
        test::setNote(state.melody, c, Row, c > 10, c < 14);
    clickAt(12, Row, RightClick);

    EXPECT_EQ(state.melody.grid.noteRow(12), -1);
    EXPECT_EQ(cell(11, Row).joinRight, 0);
    EXPECT_EQ(cell(13, Row).joinLeft, 0);
    const std::int32_t twoColumnsMs = 2 * StartColumnDuration;
    EXPECT_EQ(tonesOf(10, 14), (ToneList{{hz(Row), 0, twoColumnsMs},
                                         {0, 1, StartColumnDuration},
                                         {hz(Row), 0, twoColumnsMs}}));
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    EXPECT_EQ(fake.beeper.calls().front().frequencyHz, hz(Row));
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], currentGridPicture());
}

TEST_F(MouseEditing, RightDragErasesWithoutAClickAndSoundsTheRowUnderThePointer) {
    for (std::int32_t c = 10; c <= 14; ++c)
        test::setNote(state.melody, c, Row, c > 10, c < 14);
    hold(Key::RightButton);
    moveTo(11, RowBelow);
    fake.runtime.joinAll();
    moveTo(12, RowBelow);
    releaseLeft(); // the left button's release must not undo anything

    EXPECT_EQ(state.melody.grid.noteRow(11), -1);
    EXPECT_EQ(state.melody.grid.noteRow(12), -1);
    EXPECT_EQ(cell(10, Row).joinRight, 0);
    EXPECT_EQ(cell(13, Row).joinLeft, 0);
    EXPECT_EQ(cell(13, Row).joinRight, 1);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    EXPECT_EQ(fake.beeper.calls().front().frequencyHz, hz(RowBelow));
}

TEST_F(MouseEditing, ShiftClicksMoveOneSelectionEdgeAndPullTheOtherAlong) {
    struct Case {
        std::int32_t column;
        std::int32_t clickType;
        std::int32_t first;
        std::int32_t last;
    };
    hold(Key::Shift);
    const CellGrid empty = state.melody.grid;
    for (const Case& c : {Case{20, LeftClick, 20, 20}, Case{3, RightClick, 3, 3},
                          Case{7, LeftClick, 7, 10}, Case{8, RightClick, 5, 8}}) {
        selectColumns(5, 10);
        state.selection.selectionActive = 0;
        fake.ui.setButtonPressed(CommandId::ToggleSelection, false);
        clickAt(c.column, Row, c.clickType);
        EXPECT_EQ(state.selection.selectionFirst, c.first) << c.column;
        EXPECT_EQ(state.selection.selectionLast, c.last) << c.column;
        EXPECT_EQ(state.selection.selectionLeftX, x(c.first) - 1) << c.column;
        EXPECT_EQ(state.selection.selectionRightX, x(c.last) + state.melody.columnWidth - 1)
            << c.column;
        EXPECT_EQ(state.selection.selectionActive, 1) << c.column;
        EXPECT_TRUE(fake.ui.isButtonPressed(CommandId::ToggleSelection)) << c.column;
    }
    EXPECT_EQ(state.melody.grid, empty);
    EXPECT_EQ(fake.runtime.threadsStarted, 0);
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], currentGridPicture());
}

TEST_F(MouseEditing, ShiftDragMovesTheSelectionEdgeAcrossColumns) {
    selectColumns(5, 10);
    hold(Key::Shift);
    hold(Key::RightButton);
    moveTo(30, Row);
    EXPECT_EQ(state.selection.selectionLast, 30);
    letGo(Key::RightButton);
    hold(Key::LeftButton);
    moveTo(25, Row);
    EXPECT_EQ(state.selection.selectionFirst, 25);
    EXPECT_EQ(state.selection.selectionLast, 30);
    EXPECT_EQ(state.selection.selectionActive, 1);
    EXPECT_EQ(state.melody.grid.noteRow(25), -1);
}

TEST_F(MouseEditing, LeftControlRightClickAsksForTheColumnMenuAndChangesNothing) {
    for (std::int32_t c = 10; c <= 14; ++c)
        test::setNote(state.melody, c, Row, c > 10, c < 14);
    const CellGrid held = state.melody.grid;
    hold(Key::LeftControl);
    clickAt(12, Row, RightClick);
    EXPECT_EQ(state.shell.popupRequested, 1);
    EXPECT_EQ(state.shell.popupColumn, 12);
    EXPECT_EQ(state.melody.grid, held);
    EXPECT_EQ(fake.runtime.threadsStarted, 0);
}

TEST_F(MouseEditing, ControlThatIsNotTheLeftOneDownNowErases) {
    for (std::int32_t c = 10; c <= 14; ++c)
        test::setNote(state.melody, c, Row);
    // Right Control alone: the left one reads as up.
    clickAt(11, Row, RightClick);
    // Left Control that went down earlier but is up now.
    fake.ui.keys[Key::LeftControl] = KeyPressedSince;
    clickAt(13, Row, RightClick);
    EXPECT_EQ(state.shell.popupRequested, 0);
    EXPECT_EQ(state.melody.grid.noteRow(11), -1);
    EXPECT_EQ(state.melody.grid.noteRow(13), -1);
    EXPECT_EQ(state.melody.grid.noteRow(12), Row);
}

TEST_F(MouseEditing, ScrollBarDragSuspendsEditing) {
    hold(Key::LeftButton);
    clickAt(10, Row, LeftClick); // the stroke is open
    const CellGrid oneNote = state.melody.grid;
    for (std::int32_t* drag : {&state.view.hScrollDrag, &state.view.vScrollDrag}) {
        *drag = 1;
        clickAt(20, Row, LeftClick);
        clickAt(10, Row, RightClick);
        moveTo(11, Row);
        letGo(Key::LeftButton);
        hold(Key::RightButton);
        moveTo(10, Row);
        letGo(Key::RightButton);
        hold(Key::LeftButton);
        EXPECT_EQ(state.melody.grid, oneNote);
        *drag = 0;
    }
    releaseLeft();
    EXPECT_EQ(state.view.hScrollDrag, 0);
    EXPECT_EQ(state.view.vScrollDrag, 0);
}

TEST_F(MouseEditing, ReleaseEndsScrollBarDrags) {
    state.view.hScrollDrag = 1;
    state.view.vScrollDrag = 1;
    leftButtonReleased(editor);
    EXPECT_EQ(state.view.hScrollDrag, 0);
    EXPECT_EQ(state.view.vScrollDrag, 0);
}

TEST_F(MouseEditing, QuickClicksSoundOnlyTheFirstPreview) {
    fake.beeper.hold(); // the first preview is still sounding during the second click
    clickAt(10, Row, LeftClick);
    clickAt(11, RowBelow, LeftClick);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    fake.beeper.release();
    fake.runtime.joinAll();
    EXPECT_EQ(fake.runtime.threadsStarted, 1);
    ASSERT_EQ(fake.beeper.calls().size(), 1u);
    EXPECT_EQ(fake.beeper.calls().front().frequencyHz, hz(Row));
    EXPECT_EQ(state.melody.grid.noteRow(11), RowBelow); // the edit itself still happened

    // Once it has ended, the next click sounds again.
    clickAt(12, RowBelow, LeftClick);
    ASSERT_TRUE(fake.beeper.waitForCalls(2));
    EXPECT_EQ(fake.beeper.calls().back().frequencyHz, hz(RowBelow));
}

// --- strokes that end unusually ---

TEST_F(MouseEditing, ReleaseWhereNoPointerMoveWasSeenPaintsThatColumnToo) {
    pressAndDrag(Row, 10, 11);
    pointAt(12, Row); // reached while the pass was waiting; no move event followed
    releaseLeft();
    EXPECT_EQ(tonesOf(10, 12), (ToneList{{hz(Row), 0, 3 * StartColumnDuration}}));
    EXPECT_EQ(state.stroke.strokeFirst, -1);
}

TEST_F(MouseEditing, NoteTakenFromAHeldToneLeavesNoHalfJoinBehind) {
    pressAndDrag(Row, 10, 14);
    releaseLeft();
    hold(Key::LeftButton);
    clickAt(14, RowBelow, LeftClick);
    moveTo(10, RowBelow); // a jump: columns 11 to 13 keep their notes on Row
    releaseLeft();
    EXPECT_TRUE(test::onlyWholeJoins(state.melody));
    EXPECT_EQ(cell(11, Row).joinLeft, 0);
    EXPECT_EQ(tonesOf(10, 14), (ToneList{{hz(RowBelow), 0, StartColumnDuration},
                                         {hz(Row), 0, 3 * StartColumnDuration},
                                         {hz(RowBelow), 0, StartColumnDuration}}));
}

TEST_F(MouseEditing, LostReleaseIsSeenInTheButtonStateAndStrokesStayApart) {
    for (const std::int32_t column : {20, 22, 24}) {
        hold(Key::LeftButton);
        clickAt(column, Row, LeftClick);
        letGo(Key::LeftButton); // a modal window took the release: no event comes
        endPressIfButtonUp(editor);
        EXPECT_EQ(state.stroke.strokeFirst, -1);
    }
    hold(Key::LeftButton);
    clickAt(18, Row, LeftClick);
    releaseLeft();
    EXPECT_EQ(tonesOf(18, 24).front(), (ToneEvent{hz(Row), 0, StartColumnDuration}));
    EXPECT_EQ(tonesOf(20, 24), (ToneList{{hz(Row), 0, StartColumnDuration},
                                         {0, 1, StartColumnDuration},
                                         {hz(Row), 0, StartColumnDuration},
                                         {0, 1, StartColumnDuration},
                                         {hz(Row), 0, StartColumnDuration}}));
    // A scroll-bar drag whose release was lost ends the same way; a held button keeps it.
    state.view.hScrollDrag = 1;
    hold(Key::LeftButton);
    endPressIfButtonUp(editor);
    EXPECT_EQ(state.view.hScrollDrag, 1);
    letGo(Key::LeftButton);
    endPressIfButtonUp(editor);
    EXPECT_EQ(state.view.hScrollDrag, 0);
}

TEST_F(MouseEditing, ShiftDragOverNoCellKeepsTheToggleAndTheFlagTogether) {
    hold(Key::Shift);
    hold(Key::LeftButton);
    pointAt(10, 35);
    state.view.pointerY += state.melody.rowHeight - InsetPx; // the gap below an octave
    pointerMoved(editor);
    EXPECT_EQ(state.selection.selectionActive, 1);
    EXPECT_TRUE(fake.ui.button(CommandId::ToggleSelection)->pressed);
}

TEST_F(MouseEditing, RandomStrokesLeaveOnlyWholeJoins) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::int32_t> anyColumn(0, 40);
    std::uniform_int_distribution<std::int32_t> anyRow(Row - 6, Row + 6);
    std::uniform_int_distribution<int> anyKind(0, 3);
    std::uniform_int_distribution<int> anyLength(0, 6);
    std::bernoulli_distribution coinFlip(0.5);
    test::fillRandom(state.melody, random);
    for (int stroke = 0; stroke < 100; ++stroke) {
        const int kind = anyKind(random);
        if (kind == 0) {
            hold(Key::RightButton);
            clickAt(anyColumn(random), anyRow(random), RightClick);
            moveTo(anyColumn(random), anyRow(random));
            letGo(Key::RightButton);
        } else {
            hold(Key::LeftButton);
            std::int32_t column = anyColumn(random);
            std::int32_t row = anyRow(random);
            clickAt(column, row, LeftClick);
            for (int step = anyLength(random); step > 0; --step) {
                // Mostly along the row, now and then a jump or a change of row.
                column = coinFlip(random) ? std::min(column + 1, 40) : anyColumn(random);
                if (!coinFlip(random)) row = anyRow(random);
                moveTo(column, row);
            }
            pointAt(anyColumn(random), anyRow(random));
            if (kind == 1) {
                releaseLeft();
            } else {
                letGo(Key::LeftButton);
                endPressIfButtonUp(editor);
            }
        }
        ASSERT_TRUE(test::onlyWholeJoins(state.melody)) << "stroke " << stroke;
        ASSERT_EQ(state.stroke.strokeFirst, -1) << "stroke " << stroke;
        fake.runtime.joinAll(); // previews end between strokes
    }
}

} // namespace
} // namespace vemo
