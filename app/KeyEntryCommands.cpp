#include "app/KeyEntryCommands.h"

#include "model/Columns.h"
#include "model/Joins.h"
#include "model/KeyEntry.h"
#include "model/NoteNames.h"
#include "platform/Ids.h"
#include "sound/Playback.h"
#include "sound/ToneList.h"
#include "view/EditCursor.h"
#include "view/HitTest.h"
#include "view/PlaybackCursor.h"
#include "view/Redraw.h"

#include <algorithm>
#include <array>

namespace vemo {

namespace {

using K = PhysicalKey;

constexpr std::int32_t TypedRedraw = RedrawMain + RedrawWithoutPause;

void setEntry(EditorContext& editor, bool isOn) {
    EditorState& state = editor.state;
    if (isOn && !state.entry.isOn)
        state.entry.cursorColumn = state.selection.selectionActive != 0
                                       ? state.selection.selectionFirst
                                       : firstVisibleColumn(state);
    state.entry.isOn = isOn;
    editor.platform.ui.setKeyEntry(isOn);
    showEditCursor(editor);
}

void moveCursor(EditorContext& editor, std::int32_t columns) {
    KeyEntry& entry = editor.state.entry;
    entry.cursorColumn = movedCursor(editor.state.melody, entry.cursorColumn, columns);
    keepEditCursorInView(editor);
    showEditCursor(editor);
}

// The grid shows the edit, then the note sounds, as a click on the grid does.
StepKind typeNoteKey(EditorContext& editor, std::int32_t semitones, bool isTied) {
    EditorState& state = editor.state;
    const std::int32_t row = entryRow(state.melody, state.entry.octave, semitones);
    if (row == NoNote) return StepKind::None;
    typeNote(state.melody, state.entry.cursorColumn, row, isTied);
    state.shell.typedNote = rowNoteName(state.melody, row);
    redraw(editor, TypedRedraw);
    Platform& platform = editor.platform;
    startPreview(state.playback, platform.beeper, platform.runtime,
                 rowFrequency(state.melody, state.pitch, row), state.melody.columnDuration);
    moveCursor(editor, state.entry.step);
    return StepKind::TypedNote;
}

StepKind emptyColumn(EditorContext& editor, std::int32_t column, std::int32_t stepAfter,
                     StepKind made) {
    eraseColumn(editor.state.melody, column);
    redraw(editor, TypedRedraw);
    moveCursor(editor, stepAfter);
    return made;
}

StepKind editColumns(EditorContext& editor, bool isInsert) {
    EditorState& state = editor.state;
    if (isInsert)
        insertColumn(state.melody, state.selection, state.entry.cursorColumn);
    else
        deleteColumn(state.melody, state.selection, state.entry.cursorColumn);
    redraw(editor, TypedRedraw);
    return isInsert ? StepKind::InsertColumn : StepKind::DeleteColumn;
}

// The keys that change the octave or the step, by one within their range.
struct SettingKey {
    PhysicalKey key;
    std::int32_t KeyEntry::*setting;
    std::int32_t change;
    std::int32_t lowest;
    std::int32_t highest;
};

constexpr std::array<SettingKey, 4> SettingKeys{{
    {K::KeypadMultiply, &KeyEntry::octave, 1, MinEntryOctave, MaxEntryOctave},
    {K::KeypadDivide, &KeyEntry::octave, -1, MinEntryOctave, MaxEntryOctave},
    {K::KeypadPlus, &KeyEntry::step, 1, MinEntryStep, MaxEntryStep},
    {K::KeypadMinus, &KeyEntry::step, -1, MinEntryStep, MaxEntryStep},
}};

// Keys that neither write nor move: leaving, octave and step.
bool changeMode(EditorContext& editor, PhysicalKey key) {
    KeyEntry& entry = editor.state.entry;
    if (key == K::Escape) {
        editor.platform.ui.setButtonPressed(CommandId::KeyEntry, false);
        setEntry(editor, false);
        return true;
    }
    for (const SettingKey& settingKey : SettingKeys) {
        if (settingKey.key != key) continue;
        std::int32_t& value = entry.*settingKey.setting;
        value = std::clamp(value + settingKey.change, settingKey.lowest, settingKey.highest);
        return true;
    }
    return false;
}

bool moveByKey(EditorContext& editor, PhysicalKey key) {
    const std::int32_t column = editor.state.entry.cursorColumn;
    const std::int32_t screen = columnsPerScreen(editor.state);
    switch (key) {
    case K::Left:
        moveCursor(editor, -1);
        return true;
    case K::Right:
        moveCursor(editor, 1);
        return true;
    case K::Home:
        moveCursor(editor, -column);
        return true;
    case K::End:
        moveCursor(editor, editor.state.melody.lastColumn - column);
        return true;
    case K::PageUp:
        moveCursor(editor, -screen);
        return true;
    case K::PageDown:
        moveCursor(editor, screen);
        return true;
    default:
        return false;
    }
}

} // namespace

StepKind takeKeyEntryToggle(EditorContext& editor) {
    setEntry(editor, editor.platform.ui.isButtonPressed(CommandId::KeyEntry));
    return StepKind::None;
}

StepKind flipKeyEntryToggle(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    ui.setButtonPressed(CommandId::KeyEntry, !ui.isButtonPressed(CommandId::KeyEntry));
    return takeKeyEntryToggle(editor);
}

StepKind onEntryKey(EditorContext& editor, const Event& event) {
    KeyEntry& entry = editor.state.entry;
    // A key queued just before the mode ended is no longer a note.
    if (!entry.isOn) return StepKind::None;
    const K key = event.key;
    if (changeMode(editor, key)) {
        showEditCursor(editor);
        return StepKind::None;
    }
    if (moveByKey(editor, key)) return StepKind::None;
    const std::int32_t column = entry.cursorColumn;
    switch (key) {
    case K::Backspace:
        return column > 0 ? emptyColumn(editor, column - 1, -1, StepKind::Erase) : StepKind::None;
    case K::Insert:
        return editColumns(editor, true);
    case K::Delete:
        return editColumns(editor, false);
    default:
        break;
    }
    // A held key types one note, not a run of them.
    if (event.isAutoRepeat) return StepKind::None;
    if (key == K::Minus) return emptyColumn(editor, column, entry.step, StepKind::TypedRest);
    const std::int32_t semitones = noteKeySemitone(key);
    if (semitones == NoNote) return StepKind::None;
    return typeNoteKey(editor, semitones, (event.modifiers & Modifier::Shift) != 0);
}

void moveEditCursorToClick(EditorContext& editor) {
    EditorState& state = editor.state;
    if (!state.entry.isOn || !isPointerOnGrid(state.view)) return;
    state.entry.cursorColumn = columnToPlayFrom(state);
    showEditCursor(editor);
}

} // namespace vemo
