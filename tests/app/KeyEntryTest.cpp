#include "model/NoteNames.h"
#include "tests/app/EventLoopFixture.h"

#include <string>
#include <vector>

namespace vemo {
namespace {

using K = PhysicalKey;
constexpr std::int32_t Plain = Modifier::None;
constexpr std::int32_t Shift = Modifier::Shift;
constexpr std::int32_t Ctrl = Modifier::Control;
constexpr bool Repeat = true;

struct Press {
    K key;
    std::int32_t modifiers;
    bool isAutoRepeat;
    const char* firstColumns; // the first six columns: note, "~" when tied from the left, "."
    std::int32_t cursor;
    const char* undoTip;
};

class KeyEntry : public test::EventLoopFixture {
  protected:
    std::string firstColumns() const {
        std::string text;
        for (std::int32_t column = 0; column < 6; ++column) {
            const std::int32_t row = state.melody.grid.noteRow(column);
            if (!text.empty()) text += ' ';
            if (row < 0) {
                text += '.';
                continue;
            }
            if (state.melody.grid.at(column, row).joinLeft != 0) text += '~';
            text += rowNoteName(state.melody, row);
        }
        return text;
    }
};

TEST_F(KeyEntry, TypedKeysWriteStepMoveAndUndoOneEntryAtATime) {
    const std::int32_t last = state.melody.lastColumn;
    command(CommandId::KeyEntryKey);
    ASSERT_TRUE(ui.isKeyEntry);
    EXPECT_TRUE(ui.button(CommandId::KeyEntry)->pressed);
    EXPECT_EQ(ui.controls[ControlId::EntryReadout].text, "entry:\r\noctave 4\r\nstep 1");
    const std::vector<Press> presses = {
        {K::Z, Plain, false, "C4 . . . . .", 1, "undo: type C4"},
        {K::S, Plain, false, "C4 C#4 . . . .", 2, "undo: type C#4"},
        {K::Q, Plain, false, "C4 C#4 C5 . . .", 3, "undo: type C5"},
        // Shift ties only to the same pitch.
        {K::Z, Shift, false, "C4 C#4 C5 C4 . .", 4, "undo: type C4"},
        {K::Z, Shift, false, "C4 C#4 C5 C4 ~C4 .", 5, "undo: type C4"},
        {K::Z, Plain, Repeat, "C4 C#4 C5 C4 ~C4 .", 5, "undo: type C4"},
        {K::P, Plain, false, "C4 C#4 C5 C4 ~C4 E6", 6, "undo: type E6"},
        {K::Left, Plain, false, "C4 C#4 C5 C4 ~C4 E6", 5, "undo: type E6"},
        // Step 0 keeps the cursor for a retyped note.
        {K::KeypadMinus, Ctrl, false, "C4 C#4 C5 C4 ~C4 E6", 5, "undo: type E6"},
        {K::Slash, Plain, false, "C4 C#4 C5 C4 ~C4 E5", 5, "undo: type E5"},
        {K::KeypadMultiply, Plain, false, "C4 C#4 C5 C4 ~C4 E5", 5, "undo: type E5"},
        {K::Comma, Plain, false, "C4 C#4 C5 C4 ~C4 C6", 5, "undo: type C6"},
        {K::KeypadDivide, Plain, false, "C4 C#4 C5 C4 ~C4 C6", 5, "undo: type C6"},
        {K::KeypadPlus, Ctrl, false, "C4 C#4 C5 C4 ~C4 C6", 5, "undo: type C6"},
        // A rest in the middle of a held tone cuts it.
        {K::Left, Plain, false, "C4 C#4 C5 C4 ~C4 C6", 4, "undo: type C6"},
        {K::Minus, Plain, false, "C4 C#4 C5 C4 . C6", 5, "undo: type rest"},
        {K::Right, Plain, false, "C4 C#4 C5 C4 . C6", 6, "undo: type rest"},
        {K::Backspace, Plain, false, "C4 C#4 C5 C4 . .", 5, "undo: erase"},
        {K::Home, Plain, false, "C4 C#4 C5 C4 . .", 0, "undo: erase"},
        {K::Insert, Plain, false, ". C4 C#4 C5 C4 .", 0, "undo: insert column"},
        {K::Delete, Ctrl, false, "C4 C#4 C5 C4 . .", 0, "undo: delete column"},
        {K::End, Plain, false, "C4 C#4 C5 C4 . .", last, "undo: delete column"},
        {K::Right, Plain, false, "C4 C#4 C5 C4 . .", last, "undo: delete column"},
        {K::PageUp, Plain, false, "C4 C#4 C5 C4 . .", -1, "undo: delete column"},
    };
    for (const Press& press : presses) {
        deliver(keyEvent(WindowId::Main, press.key, press.modifiers, press.isAutoRepeat));
        SCOPED_TRACE(press.firstColumns);
        EXPECT_EQ(firstColumns(), press.firstColumns);
        if (press.cursor >= 0) {
            EXPECT_EQ(state.entry.cursorColumn, press.cursor);
        }
        EXPECT_EQ(ui.button(CommandId::Undo)->tooltip, press.undoTip);
        // The cursor is kept in view wherever it goes.
        EXPECT_GE(ui.columnMarkX[ControlId::MainImage], 0);
    }
    // Page Up went back by a screen's columns.
    EXPECT_LT(state.entry.cursorColumn, last);
    EXPECT_GT(state.entry.cursorColumn, 0);

    command(CommandId::Undo);
    EXPECT_EQ(firstColumns(), ". C4 C#4 C5 C4 .");
    deliver(keyEvent(WindowId::Main, K::Escape, Plain));
    EXPECT_FALSE(ui.isKeyEntry);
    EXPECT_FALSE(ui.button(CommandId::KeyEntry)->pressed);
    EXPECT_EQ(ui.columnMarkX[ControlId::MainImage], -1);
    EXPECT_EQ(ui.controls[ControlId::EntryReadout].text, "");
    // A key still queued when the mode ended types nothing.
    deliver(keyEvent(WindowId::Main, K::Z, Plain));
    EXPECT_EQ(firstColumns(), ". C4 C#4 C5 C4 .");
}

TEST_F(KeyEntry, StartsAtTheSelectionOrTheFirstVisibleColumnAndFollowsAClick) {
    selectColumns(7, 9, true);
    command(CommandId::KeyEntryKey);
    EXPECT_EQ(state.entry.cursorColumn, 7);
    command(CommandId::KeyEntryKey);
    selectColumns(7, 9, false);
    state.view.horizontalScroll = 0.5;
    command(CommandId::KeyEntryKey);
    EXPECT_GT(state.entry.cursorColumn, 100);

    ui.keys[Key::LeftButton] = KeyDownNow;
    pointAtCell(state.entry.cursorColumn + 3, 40);
    control(WindowId::Main, ControlId::MainImage, LeftClick);
    ui.keys[Key::LeftButton] = 0;
    deliver(Event{EventKind::LeftRelease, WindowId::Main});
    EXPECT_TRUE(hasNote(state.entry.cursorColumn, 40));
}

} // namespace
} // namespace vemo
