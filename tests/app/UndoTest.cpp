#include "store/MelodyCodec.h"
#include "tests/app/EventLoopFixture.h"
#include "tests/support/TempFolder.h"

namespace vemo {
namespace {

constexpr std::int32_t Row = 40;

class Undo : public test::EventLoopFixture {
  protected:
    void leftStroke(std::int32_t firstColumn, std::int32_t lastColumn) {
        ui.keys[Key::LeftButton] = KeyDownNow;
        pointAtCell(firstColumn, Row);
        control(WindowId::Main, ControlId::MainImage, LeftClick);
        for (std::int32_t c = firstColumn + 1; c <= lastColumn; ++c) {
            pointAtCell(c, Row);
            deliver(Event{EventKind::PointerMove, WindowId::Main});
        }
        ui.keys[Key::LeftButton] = 0;
        deliver(Event{EventKind::LeftRelease, WindowId::Main});
    }
    void expectButtons(const std::string& undoTip, const std::string& redoTip) {
        EXPECT_EQ(ui.button(CommandId::Undo)->enabled, undoTip != "undo");
        EXPECT_EQ(ui.button(CommandId::Redo)->enabled, redoTip != "redo");
        EXPECT_EQ(ui.button(CommandId::Undo)->tooltip, undoTip);
        EXPECT_EQ(ui.button(CommandId::Redo)->tooltip, redoTip);
    }
    std::string title() { return ui.windowTitle(WindowId::Main); }
};

TEST_F(Undo, StrokesAndCommandsAreNamedStepsAndUndoBringsBackTheirSelection) {
    const CellGrid empty = state.melody.grid;
    leftStroke(10, 13);
    expectButtons("undo: notes", "redo");
    EXPECT_EQ(noteCount(), 4);
    const CellGrid drawn = state.melody.grid;

    pointAtCell(12, Row);
    control(WindowId::Main, ControlId::MainImage, RightClick);
    expectButtons("undo: erase", "redo");
    selectColumns(5, 20, true);
    command(CommandId::DeleteKey);
    EXPECT_EQ(noteCount(), 0);
    expectButtons("undo: clear", "redo");

    selectColumns(0, 2, true); // not a step of its own
    command(CommandId::Undo);
    EXPECT_EQ(noteCount(), 3);
    EXPECT_EQ(state.selection.selectionFirst, 5);
    EXPECT_EQ(state.selection.selectionLast, 20);
    expectButtons("undo: erase", "redo: clear");
    command(CommandId::Undo);
    EXPECT_TRUE(state.melody.grid == drawn);
    command(CommandId::Undo);
    EXPECT_TRUE(state.melody.grid == empty);
    expectButtons("undo", "redo: notes");
    command(CommandId::Redo);
    EXPECT_TRUE(state.melody.grid == drawn);
    // A new step drops what was undone.
    leftStroke(30, 30);
    expectButtons("undo: notes", "redo");
    selectColumns(0, 40, false);
    command(CommandId::OctaveUp);
    EXPECT_TRUE(hasNote(30, Row - RowsPerOctave));
    expectButtons("undo: transpose", "redo");
    command(CommandId::Undo);
    EXPECT_TRUE(hasNote(30, Row));
}

TEST_F(Undo, UndoOfALoadAndOfANewMelodyBringsBackTheMelodyWithItsNameAndTitle) {
    const std::string startTitle = title();
    const std::string startName = state.shell.fileName;
    test::TempFolder folder;
    Melody stored = state.melody;
    stored.lastColumn = 40;
    stored.grid = CellGrid(41, 96);
    stored.marks.assign(41, 0);
    stored.grid.at(7, Row).hasNote = 1;
    const std::string path = folder.file("tune.vemo");
    test::writeBytes(path, encodeMelody(stored));

    ui.openAnswers.push_back(path);
    command(CommandId::Load);
    ASSERT_EQ(state.melody.lastColumn, 40);
    const std::string loadedTitle = title();
    ui.setSpinValue(ControlId::WidthSpin, 64);
    control(WindowId::NewMelody, ControlId::Apply);
    ASSERT_EQ(state.melody.lastColumn, 63);
    expectButtons("undo: new melody", "redo");

    command(CommandId::Undo);
    EXPECT_EQ(state.melody.lastColumn, 40);
    EXPECT_TRUE(hasNote(7, Row));
    EXPECT_EQ(title(), loadedTitle);
    EXPECT_EQ(state.shell.fileName, path);
    command(CommandId::Undo);
    EXPECT_EQ(state.melody.lastColumn, 511);
    EXPECT_EQ(noteCount(), 0);
    EXPECT_EQ(title(), startTitle);
    EXPECT_EQ(state.shell.fileName, startName);
    expectButtons("undo", "redo: load");
    command(CommandId::Redo);
    command(CommandId::Redo);
    EXPECT_EQ(state.melody.lastColumn, 63);
    EXPECT_EQ(title(), "       vemo - F1:help - untitled");
}

} // namespace
} // namespace vemo
