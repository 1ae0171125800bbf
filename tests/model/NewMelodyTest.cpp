#include "model/NewMelody.h"
#include "app/NewMelodyCommand.h"

#include "model/Geometry.h"
#include "platform/Ids.h"
#include "tests/support/FakePlatform.h"
#include "tests/view/ViewFixture.h"
#include "view/GridPass.h"
#include "view/Redraw.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vemo {
namespace {

using test::setNote;

std::int32_t countNotesAndJoins(const CellGrid& grid) {
    return static_cast<std::int32_t>(
        std::count_if(grid.cells().begin(), grid.cells().end(), [](const Cell& c) {
            return c.hasNote != 0 || c.joinLeft != 0 || c.joinRight != 0;
        }));
}

// A clipboard of the start-up width whose column c holds a note in row c % 96, tied to the next.
Clipboard filledClipboard(std::int32_t first, std::int32_t last) {
    Clipboard clipboard;
    clipboard.clipboardGrid = CellGrid(512, 96);
    clipboard.clipboardMarks.assign(512, 0);
    for (std::int32_t c = 0; c < 512; ++c) {
        Cell& cell = clipboard.clipboardGrid.at(c, c % 96);
        cell.hasNote = 1;
        cell.joinRight = 1;
        cell.x = 999;
        clipboard.clipboardMarks[c] = c % 7 == 0 ? 6 : (c % 3 == 0 ? 2 : 0);
    }
    clipboard.clipboardFirst = first;
    clipboard.clipboardLast = last;
    return clipboard;
}

class NewMelody : public ::testing::Test, protected test::ViewHarness {
  protected:
    void SetUp() override {
        test::prepareState(state, 512, 300, 200);
        state.clipboard.clipboardGrid = CellGrid(512, 96);
        state.clipboard.clipboardMarks.assign(512, 0);
        state.selection.selectionActive = 1;
        state.view.horizontalScroll = 0.7;
        state.view.verticalScroll = 0.1;
        fake.ui.createWindow(WindowId::Main, WindowStyle::Main, "before", {});
        fake.ui.createWindow(WindowId::NewMelody, WindowStyle::Dialog, "new vemo..", {});
        fake.ui.showWindow(WindowId::NewMelody, true);
        fake.ui.addToolbarButton(CommandId::ToggleSelection, Image(16, 16), true, "toggle");
        fake.ui.setButtonPressed(CommandId::ToggleSelection, true);
    }
};

TEST_F(NewMelody, NarrowMelodyWithLargeBlocks) {
    setNote(state.melody, 3, 20, false, true);
    setNote(state.melody, 4, 20, true, false);
    applyNewMelody(editor, 32, 16, 16);

    const Melody& melody = state.melody;
    EXPECT_EQ(melody.previousLastColumn, 511);
    EXPECT_EQ(melody.lastColumn, 31);
    EXPECT_EQ(melody.lastRow, 95);
    EXPECT_EQ(melody.grid.columnCount(), 32);
    EXPECT_EQ(melody.grid.rowCount(), 96);
    ColumnMarks expectedMarks(32, 0);
    expectedMarks[0] = 6;
    expectedMarks[16] = 2;
    EXPECT_EQ(melody.marks, expectedMarks);
    EXPECT_EQ(melody.markTotal, 8);
    EXPECT_EQ(countNotesAndJoins(melody.grid), 0);
    EXPECT_EQ(melody.grid.at(16, 13).x, 5 + 16 * 12 + 8);
    EXPECT_EQ(melody.grid.at(16, 13).y, rowY(melody, 13));
}

TEST_F(NewMelody, WidestMelodyWithSingleColumnBlocks) {
    applyNewMelody(editor, 4096, 1, 1);
    const Melody& melody = state.melody;
    EXPECT_EQ(melody.lastColumn, 4095);
    EXPECT_EQ(melody.grid.columnCount(), 4096);
    ASSERT_EQ(melody.marks.size(), 4096u);
    EXPECT_TRUE(std::all_of(melody.marks.begin(), melody.marks.end(),
                            [](std::int32_t mark) { return mark == 6; }));
    EXPECT_EQ(melody.markTotal, 4096 * 6);
    EXPECT_EQ(melody.grid.at(4095, 95).x, 5 + 4095 * 12 + 4096 * 6);
    EXPECT_EQ(state.clipboard.clipboardGrid.columnCount(), 4096);
    EXPECT_EQ(state.clipboard.clipboardMarks.size(), 4096u);
}

TEST_F(NewMelody, SelectionViewToggleTitleAndDialog) {
    applyNewMelody(editor, 32, 4, 4);
    const Selection& selection = state.selection;
    EXPECT_EQ(selection.selectionActive, 0);
    EXPECT_EQ(selection.selectionFirst, 0);
    EXPECT_EQ(selection.selectionLast, 31);
    EXPECT_EQ(selection.selectionLeftX, 10);
    EXPECT_EQ(selection.selectionRightX, state.melody.grid.at(31, 0).x + 11);
    EXPECT_EQ(state.view.horizontalScroll, 0.0);
    EXPECT_EQ(state.view.verticalScroll, 0.5);
    EXPECT_FALSE(fake.ui.isButtonPressed(CommandId::ToggleSelection));
    EXPECT_EQ(fake.ui.windowTitle(WindowId::Main), "       vemo - F1:help - untitled");
    EXPECT_FALSE(fake.ui.isWindowVisible(WindowId::NewMelody));
}

TEST_F(NewMelody, ApplyDrawsTheGridTwiceAndTheBarsOnce) {
    applyNewMelody(editor, 64, 4, 4);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::MainImage], 2);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::VerImage], 1);
    EXPECT_EQ(fake.ui.showImageCount[ControlId::HorImage], 1);
    EXPECT_EQ(fake.runtime.sleeps, (std::vector<std::int32_t>{GridPauseMs, GridPauseMs}));
    // What is shown is the new, empty melody in the middle rows.
    EditorState expected;
    test::prepareState(expected, 64, 300, 200);
    expected.view.verticalScroll = 0.5;
    EXPECT_EQ(fake.ui.shownImages[ControlId::MainImage], test::paintedGrid(expected, bitmaps));
}

TEST_F(NewMelody, ApplyWithUnchangedValuesStillEmptiesTheMelody) {
    setNote(state.melody, 0, 0);
    setNote(state.melody, 200, 50, true, true);
    const ColumnMarks marksBefore = state.melody.marks;
    applyNewMelody(editor, 512, 4, 4);
    EXPECT_EQ(countNotesAndJoins(state.melody.grid), 0);
    EXPECT_EQ(state.melody.marks, marksBefore);
    EXPECT_EQ(state.melody.previousLastColumn, 511);
}

TEST_F(NewMelody, LeavesDurationAndFileNameAloneAndEndsTheStroke) {
    state.melody.columnDuration = 77;
    state.stroke.strokeFirst = 5;
    state.stroke.strokeLast = 9;
    state.shell.fileName = "tune.vemo";
    applyNewMelody(editor, 100, 2, 8);
    EXPECT_EQ(state.melody.columnDuration, 77);
    // A stroke whose release was lost must not reach into the new melody.
    EXPECT_EQ(state.stroke.strokeFirst, -1);
    EXPECT_EQ(state.shell.fileName, "tune.vemo");
}

TEST_F(NewMelody, ClipboardRangeWiderThanTheNewMelodyKeepsItsStart) {
    state.clipboard = filledClipboard(100, 139);
    const Clipboard before = state.clipboard;
    applyNewMelody(editor, 32, 4, 4);
    const Clipboard& clipboard = state.clipboard;
    EXPECT_EQ(clipboard.clipboardFirst, 0);
    EXPECT_EQ(clipboard.clipboardLast, 31);
    ASSERT_EQ(clipboard.clipboardGrid.columnCount(), 32);
    for (std::int32_t k = 0; k < 32; ++k) {
        EXPECT_EQ(clipboard.clipboardGrid.noteRow(k), (100 + k) % 96) << k;
        EXPECT_EQ(clipboard.clipboardGrid.at(k, (100 + k) % 96).joinRight, 1);
        EXPECT_EQ(clipboard.clipboardGrid.at(k, (100 + k) % 96).x, 0) << "x is not carried";
        EXPECT_EQ(clipboard.clipboardMarks[k], before.clipboardMarks[100 + k]) << k;
    }
}

TEST(CarryClipboard, RangeFitsIntoAWiderMelody) {
    Clipboard clipboard = filledClipboard(500, 510);
    const ColumnMarks marksBefore = clipboard.clipboardMarks;
    carryClipboard(clipboard, 511, 999, 95);
    EXPECT_EQ(clipboard.clipboardFirst, 0);
    EXPECT_EQ(clipboard.clipboardLast, 10);
    ASSERT_EQ(clipboard.clipboardGrid.columnCount(), 1000);
    ASSERT_EQ(clipboard.clipboardMarks.size(), 1000u);
    for (std::int32_t k = 0; k <= 10; ++k) {
        EXPECT_EQ(clipboard.clipboardGrid.noteRow(k), (500 + k) % 96);
        EXPECT_EQ(clipboard.clipboardMarks[k], marksBefore[500 + k]);
    }
    EXPECT_EQ(clipboard.clipboardGrid.noteRow(11), -1) << "column 511 lay outside the range";
    EXPECT_EQ(clipboard.clipboardMarks[11], 0);
}

TEST(CarryClipboard, StopsAtTheOldLastColumn) {
    Clipboard clipboard = filledClipboard(500, 510);
    carryClipboard(clipboard, 505, 999, 95);
    EXPECT_EQ(clipboard.clipboardLast, 5);
    EXPECT_EQ(clipboard.clipboardGrid.noteRow(5), 505 % 96);
    EXPECT_EQ(clipboard.clipboardGrid.noteRow(6), -1);
}

TEST(CarryClipboard, ClipboardThatNeverReceivedACopyCarriesOneEmptyColumn) {
    Clipboard clipboard;
    clipboard.clipboardGrid = CellGrid(512, 96);
    clipboard.clipboardMarks.assign(512, 0);
    carryClipboard(clipboard, 511, 63, 95);
    EXPECT_EQ(clipboard.clipboardFirst, 0);
    EXPECT_EQ(clipboard.clipboardLast, 0);
    EXPECT_EQ(clipboard.clipboardGrid.columnCount(), 64);
    EXPECT_EQ(countNotesAndJoins(clipboard.clipboardGrid), 0);

    Clipboard unallocated;
    carryClipboard(unallocated, 511, 31, 95);
    EXPECT_EQ(unallocated.clipboardLast, 0);
    EXPECT_EQ(unallocated.clipboardGrid.columnCount(), 32);
    EXPECT_EQ(unallocated.clipboardMarks.size(), 32u);
}

TEST(CarryClipboard, SingleColumnCopyOfTheLastColumn) {
    Clipboard clipboard = filledClipboard(511, 511);
    carryClipboard(clipboard, 511, 31, 95);
    EXPECT_EQ(clipboard.clipboardLast, 0);
    EXPECT_EQ(clipboard.clipboardGrid.noteRow(0), 511 % 96);
}

} // namespace
} // namespace vemo
