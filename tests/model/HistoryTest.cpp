#include "model/History.h"

#include "model/Clipboard.h"
#include "model/Columns.h"
#include "model/EditorState.h"
#include "model/Geometry.h"
#include "model/Joins.h"
#include "model/NewMelody.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/WholeJoins.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace vemo {
namespace {

// Everything of the melody that undo must give back exactly.
struct Picture {
    Melody melody;
    std::string fileName;
    std::string title;
};

void expectSameMelody(const EditorState& state, const Picture& expected, const char* when) {
    const Melody& m = state.melody;
    const Melody& e = expected.melody;
    EXPECT_EQ(m.lastColumn, e.lastColumn) << when;
    EXPECT_EQ(m.smallBlock, e.smallBlock) << when;
    EXPECT_EQ(m.largeBlock, e.largeBlock) << when;
    EXPECT_EQ(m.columnDuration, e.columnDuration) << when;
    EXPECT_EQ(m.markTotal, e.markTotal) << when;
    EXPECT_EQ(m.marks, e.marks) << when;
    EXPECT_TRUE(m.grid == e.grid) << when; // notes, joins and the cells' geometry
    EXPECT_EQ(state.shell.fileName, expected.fileName) << when;
}

class HistoryTest : public ::testing::Test {
  protected:
    void randomMelody(std::int32_t columns) {
        std::uniform_int_distribution<std::int32_t> anyBlock(1, 6);
        test::resetMelody(state.melody, columns, anyBlock(random), anyBlock(random));
        test::fillRandom(state.melody, random);
        state.clipboard = {CellGrid(columns, state.melody.lastRow + 1), ColumnMarks(columns, 0), 0,
                           0};
        select(0, columns - 1);
    }
    void select(std::int32_t first, std::int32_t last) {
        state.selection.selectionFirst = first;
        state.selection.selectionLast = last;
        updateSelectionEdges(state.melody, state.selection);
    }
    std::int32_t anyColumn() {
        return std::uniform_int_distribution<std::int32_t>(0, state.melody.lastColumn)(random);
    }
    // One random change of every kind the editor makes, named as the editor names it.
    std::string randomEdit(int step) {
        Melody& melody = state.melody;
        const std::int32_t a = anyColumn();
        const std::int32_t b = anyColumn();
        select(std::min(a, b), std::max(a, b));
        switch (std::uniform_int_distribution<int>(0, 8)(random)) {
        case 0: { // a left stroke along a row
            Stroke stroke{std::min(a, b), std::min(std::max(a, b), std::min(a, b) + 5)};
            const std::int32_t row = std::uniform_int_distribution<std::int32_t>(0, 95)(random);
            for (std::int32_t c = stroke.strokeFirst; c <= stroke.strokeLast; ++c) {
                eraseColumn(melody, c);
                melody.grid.at(c, row).hasNote = 1;
            }
            updateJoins(melody, stroke);
            return "notes";
        }
        case 1:
            eraseColumn(melody, a);
            return "erase";
        case 2:
            clearSelection(melody, state.selection);
            return "clear";
        case 3:
            copySelection(melody, state.selection, state.clipboard);
            select(anyColumn(), melody.lastColumn);
            pasteClipboard(melody, state.selection, state.clipboard, 2 << (step % 3) & 6);
            return "paste";
        case 4:
            insertColumn(melody, state.selection, a);
            return "insert column";
        case 5:
            deleteColumn(melody, state.selection, a);
            return "delete column";
        case 6:
            setNewDimensions(melody, std::uniform_int_distribution<std::int32_t>(32, 90)(random),
                             1 + step % 5, 1 + step % 3);
            startEmptyMelody(state);
            return "new melody";
        case 7: // a load: another melody under another name
            melody.previousLastColumn = melody.lastColumn;
            randomMelody(std::uniform_int_distribution<std::int32_t>(32, 90)(random));
            state.shell.fileName = "/tunes/" + std::to_string(step) + ".vemo";
            return "load";
        default:
            melody.columnDuration = std::uniform_int_distribution<std::int32_t>(1, 999)(random);
            return "duration";
        }
    }
    Picture picture(const std::string& title) {
        return {state.melody, state.shell.fileName, title};
    }

    std::mt19937 random{20261207};
    EditorState state;
    History history;
};

TEST_F(HistoryTest, UndoingEveryRandomEditGivesBackTheStartAndRedoingGivesBackTheEnd) {
    for (int round = 0; round < 6; ++round) {
        randomMelody(std::uniform_int_distribution<std::int32_t>(32, 90)(random));
        state.shell.fileName = "/tunes/start.vemo";
        const Picture start = picture("start");
        history.reset(state, "vemo - " + state.shell.fileName);
        std::int64_t nowMs = 0;
        int steps = 0;
        for (int step = 0; step < 40; ++step) {
            const std::string name = randomEdit(step);
            nowMs += 5000; // far apart: no two duration changes merge
            // The title changes with the file, as a load or a save changes it.
            const std::string title = "vemo - " + state.shell.fileName;
            steps += history.commit(state, title, name, nowMs) ? 1 : 0;
        }
        const Picture end = picture("end");
        ASSERT_EQ(history.stepCount(), static_cast<std::size_t>(steps));
        for (int undone = 0; undone < steps; ++undone) {
            ASSERT_TRUE(history.canUndo());
            history.undo(state);
            ASSERT_TRUE(test::onlyWholeJoins(state.melody));
            ASSERT_LE(state.selection.selectionLast, state.melody.lastColumn);
        }
        EXPECT_FALSE(history.canUndo());
        EXPECT_EQ(history.undo(state).title, "vemo - /tunes/start.vemo");
        expectSameMelody(state, start, "after undoing all");
        for (int redone = 0; redone < steps; ++redone)
            history.redo(state);
        EXPECT_FALSE(history.canRedo());
        expectSameMelody(state, end, "after redoing all");
    }
}

TEST_F(HistoryTest, DurationChangesWithinASecondAreOneStepAndANewStepDropsTheRedoBranch) {
    randomMelody(64);
    history.reset(state, "t");
    for (const std::int32_t durationMs : {100, 110, 120}) {
        state.melody.columnDuration = durationMs;
        history.commit(state, "t", "duration", durationMs * 5); // 50 ms apart
    }
    EXPECT_EQ(history.stepCount(), 1u);
    EXPECT_EQ(history.undoName(), "duration");
    history.undo(state);
    EXPECT_EQ(state.melody.columnDuration, StartColumnDuration);
    EXPECT_EQ(history.redoName(), "duration");
    eraseColumn(state.melody, 3);
    state.melody.grid.at(3, 40).hasNote = 1;
    history.commit(state, "t", "notes", 10000);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoName(), "notes");
}

} // namespace
} // namespace vemo
