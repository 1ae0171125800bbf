#include "app/CommandTable.h"

#include "app/CodeWindow.h"
#include "app/EditCommands.h"
#include "app/ExportCommand.h"
#include "app/FileCommands.h"
#include "app/Help.h"
#include "app/KeyEntryCommands.h"
#include "app/PlaybackCommands.h"
#include "app/UndoCommands.h"
#include "platform/Ids.h"
#include "view/PlaybackCursor.h"
#include "view/Zooming.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vemo {

namespace {

// The folder the process works in at the moment of the key press.
std::string currentWorkingDirectory() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

StepKind none(EditorContext&) {
    return StepKind::None;
}

// A handler that makes no step of its own.
template <void (*Run)(EditorContext&)> StepKind only(EditorContext& editor) {
    Run(editor);
    return StepKind::None;
}

StepKind showNewMelodyDialog(EditorContext& e) {
    e.platform.ui.showWindow(WindowId::NewMelody, true);
    return StepKind::None;
}

StepKind load(EditorContext& e) {
    return loadMelody(e) == LoadOutcome::Imported ? StepKind::Import : StepKind::Load;
}

StepKind sing(EditorContext& e) {
    playMelody(e.state, e.platform);
    return StepKind::None;
}

StepKind shutUp(EditorContext& e) {
    e.state.playback.stopRequested.store(1);
    return StepKind::None;
}

// Space and Shift+Space differ only in where the melody starts.
StepKind playOrStopAll(EditorContext& e) {
    playOrStop(e.state, e.platform);
    return StepKind::None;
}

StepKind playOrStopFromPointer(EditorContext& e) {
    playOrStop(e.state, e.platform, columnToPlayFrom(e.state));
    return StepKind::None;
}

template <bool IsFlipped> StepKind repeatToggle(EditorContext& e) {
    if (IsFlipped) flipToggle(e.platform.ui, CommandId::ToggleRepeat);
    takeRepeatToggle(e.state.playback, e.platform.ui);
    return StepKind::None;
}

template <bool IsFlipped> StepKind followToggle(EditorContext& e) {
    if (IsFlipped) flipToggle(e.platform.ui, CommandId::FollowPlayback);
    takeFollowToggle(e.state.playback, e.platform.ui);
    return StepKind::None;
}

StepKind getCode(EditorContext& e) {
    exportCode(e.state, e.platform);
    return StepKind::None;
}

StepKind help(EditorContext& e) {
    openHelp(e.platform.ui, currentWorkingDirectory());
    return StepKind::None;
}

template <std::int32_t RowChange> StepKind transposeBy(EditorContext& e) {
    return transpose(e, RowChange);
}

template <std::int32_t Steps> StepKind zoomBy(EditorContext& e) {
    zoomAtCentre(e, Steps);
    return StepKind::None;
}

template <std::int32_t Mode> StepKind choosePaste(EditorContext& e) {
    e.state.shell.pasteMode = Mode;
    return StepKind::None;
}

using Key = ShortcutKey;
constexpr std::int32_t Plain = Modifier::None;
constexpr std::int32_t Ctrl = Modifier::Control;
constexpr std::int32_t Shift = Modifier::Shift;
constexpr std::int32_t CtrlShift = Modifier::Control | Modifier::Shift;
constexpr std::int32_t Up = -1;
constexpr std::int32_t Down = 1;

// Rows of the toolbar first, in the toolbar's order; the shortcuts' places give the order in
// which they are registered.
// clang-format off
const std::vector<Command> Commands = {
    {CommandId::New, "new.ico", false, "new", {}, showNewMelodyDialog},
    {CommandId::Spacer1, "space.ico", false, "", {}, nullptr},
    {CommandId::Load, "load.ico", false, "load", {{Key::F3, Plain, 1}}, load},
    {CommandId::Save, "save.ico", false, "save", {{Key::F2, Plain, 2}}, only<saveMelody>},
    {CommandId::Spacer2, "space.ico", false, "", {}, nullptr},
    {CommandId::Sing, "sing.ico", false, "sing", {}, sing},
    {CommandId::ShutUp, "shut.ico", false, "shut up", {}, shutUp},
    {CommandId::ToggleRepeat, "loop.ico", true, "toggle repeat", {}, repeatToggle<false>},
    {CommandId::GetCode, "code.ico", false, "get code", {{Key::G, Plain, 5}}, getCode},
    {CommandId::Spacer3, "space.ico", false, "", {}, nullptr},
    {CommandId::Copy, "copy.ico", false, "copy", {{Key::C, Ctrl, 6}}, copyColumns},
    {CommandId::Paste, "paste.ico", false, "paste", {{Key::V, Ctrl, 7}}, offerPaste},
    {CommandId::ToggleSelection, "selec.ico", true, "toggle selection usage", {},
     takeSelectionToggle},
    {CommandId::Undo, "undo.ico", false, "undo", {{Key::Z, Ctrl, 10}}, only<undoStep>},
    {CommandId::Redo, "redo.ico", false, "redo", {{Key::Y, Ctrl, 11}, {Key::Z, CtrlShift, 12}},
     only<redoStep>},
    {CommandId::Export, "export.ico", false, "export", {}, exportMelody},
    {CommandId::FollowPlayback, "follow.ico", true, "follow playback", {}, followToggle<false>},
    {CommandId::KeyEntry, "keys.ico", true, "keyboard entry", {}, takeKeyEntryToggle},

    // Shortcuts only.
    {CommandId::Help, "", false, "", {{Key::F1, Plain, 0}}, help},
    {CommandId::SpaceKey, "", false, "", {{Key::Space, Plain, 3}}, playOrStopAll},
    {CommandId::RepeatKey, "", false, "", {{Key::R, Plain, 4}}, repeatToggle<true>},
    {CommandId::DeleteKey, "", false, "", {{Key::Delete, Plain, 8}}, clearColumns},
    {CommandId::SelectionKey, "", false, "", {{Key::S, Plain, 9}}, flipSelectionToggle},
    {CommandId::PlayFromPointerKey, "", false, "", {{Key::Space, Shift, 13}},
     playOrStopFromPointer},
    {CommandId::TransposeUp, "", false, "", {{Key::Up, Ctrl, 14}}, transposeBy<Up>},
    {CommandId::TransposeDown, "", false, "", {{Key::Down, Ctrl, 15}}, transposeBy<Down>},
    {CommandId::OctaveUp, "", false, "", {{Key::Up, CtrlShift, 16}},
     transposeBy<Up * RowsPerOctave>},
    {CommandId::OctaveDown, "", false, "", {{Key::Down, CtrlShift, 17}},
     transposeBy<Down * RowsPerOctave>},
    // Plus needs Shift on many keyboards, and Ctrl+= is the same key without it.
    {CommandId::ZoomIn, "", false, "",
     {{Key::Plus, Ctrl, 18}, {Key::Plus, CtrlShift, 19}, {Key::Equal, Ctrl, 20}}, zoomBy<1>},
    {CommandId::ZoomOut, "", false, "", {{Key::Minus, Ctrl, 21}}, zoomBy<-1>},
    {CommandId::FollowKey, "", false, "", {{Key::F, Ctrl, 22}}, followToggle<true>},
    {CommandId::KeyEntryKey, "", false, "", {{Key::E, Ctrl, 23}}, flipKeyEntryToggle},

    // Entries of the popup menus.
    {CommandId::MenuCancel, "", false, "cancel", {}, none},
    {CommandId::InsertColumn, "", false, "insert column", {}, insertColumnAtMenu},
    {CommandId::DeleteColumn, "", false, "delete column", {}, deleteColumnAtMenu},
    {CommandId::PasteNotesOnly, "", false, "paste notes only", {}, choosePaste<PasteNotes>},
    {CommandId::PasteLayoutOnly, "", false, "paste layout only", {}, choosePaste<PasteLayout>},
    {CommandId::PasteNotesAndLayout, "", false, "paste notes and layout", {},
     choosePaste<PasteNotes | PasteLayout>},
};
// clang-format on

} // namespace

std::span<const Command> commandTable() {
    return Commands;
}

const Command* findCommand(CommandId id) {
    const auto found = std::find_if(Commands.begin(), Commands.end(),
                                    [id](const Command& c) { return c.id == id; });
    return found == Commands.end() ? nullptr : &*found;
}

StepKind runCommand(EditorContext& editor, CommandId id) {
    const Command* command = findCommand(id);
    if (command == nullptr || command->handler == nullptr) return StepKind::None;
    return command->handler(editor);
}

} // namespace vemo
