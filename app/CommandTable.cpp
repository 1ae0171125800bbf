#include "app/CommandTable.h"

#include "app/CodeWindow.h"
#include "app/EditCommands.h"
#include "app/ExportCommand.h"
#include "app/FileCommands.h"
#include "app/Help.h"
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

using Key = ShortcutKey;
constexpr std::int32_t Plain = Modifier::None;
constexpr std::int32_t Ctrl = Modifier::Control;
constexpr std::int32_t Shift = Modifier::Shift;
constexpr std::int32_t CtrlShift = Modifier::Control | Modifier::Shift;

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

// Rows of the toolbar first, in the toolbar's order; the shortcuts' places give the order in
// which they are registered.
const std::vector<Command> Commands = {
    {CommandId::New, "new.ico", false, "new", {},
     [](EditorContext& e) {
         e.platform.ui.showWindow(WindowId::NewMelody, true);
         return StepKind::None;
     }},
    {CommandId::Spacer1, "space.ico", false, "", {}, nullptr},
    {CommandId::Load, "load.ico", false, "load", {{Key::F3, Plain, 1}},
     [](EditorContext& e) {
         return loadMelody(e) == LoadOutcome::Imported ? StepKind::Import : StepKind::Load;
     }},
    {CommandId::Save, "save.ico", false, "save", {{Key::F2, Plain, 2}}, only<saveMelody>},
    {CommandId::Spacer2, "space.ico", false, "", {}, nullptr},
    {CommandId::Sing, "sing.ico", false, "sing", {},
     [](EditorContext& e) {
         playMelody(e.state, e.platform);
         return StepKind::None;
     }},
    {CommandId::ShutUp, "shut.ico", false, "shut up", {},
     [](EditorContext& e) {
         e.state.playback.stopRequested.store(1);
         return StepKind::None;
     }},
    {CommandId::ToggleRepeat, "loop.ico", true, "toggle repeat", {},
     [](EditorContext& e) {
         takeRepeatToggle(e.state.playback, e.platform.ui);

         return StepKind::None;
     }},
    {CommandId::GetCode, "code.ico", false, "get code", {{Key::G, Plain, 5}},
     [](EditorContext& e) {
         exportCode(e.state, e.platform);
         return StepKind::None;
     }},
    {CommandId::Spacer3, "space.ico", false, "", {}, nullptr},
    {CommandId::Copy, "copy.ico", false, "copy", {{Key::C, Ctrl, 6}}, copyColumns},
    {CommandId::Paste, "paste.ico", false, "paste", {{Key::V, Ctrl, 7}}, offerPaste},
    {CommandId::ToggleSelection, "selec.ico", true, "toggle selection usage", {},
     takeSelectionToggle},
    {CommandId::Undo, "undo.ico", false, "undo", {{Key::Z, Ctrl, 10}}, only<undoStep>},
    {CommandId::Redo, "redo.ico", false, "redo", {{Key::Y, Ctrl, 11}, {Key::Z, CtrlShift, 12}},
     only<redoStep>},
    {CommandId::Export, "export.ico", false, "export", {}, only<exportMelody>},
    {CommandId::FollowPlayback, "follow.ico", true, "follow playback", {},
     [](EditorContext& e) {
         takeFollowToggle(e.state.playback, e.platform.ui);

         return StepKind::None;
     }},

    // Shortcuts only.
    {CommandId::Help, "", false, "", {{Key::F1, Plain, 0}},
     [](EditorContext& e) {
         openHelp(e.platform.ui, currentWorkingDirectory());

         return StepKind::None;
     }},
    {CommandId::SpaceKey, "", false, "", {{Key::Space, Plain, 3}},
     [](EditorContext& e) {
         playOrStop(e.state, e.platform);
         return StepKind::None;
     }},
    {CommandId::PlayFromPointerKey, "", false, "", {{Key::Space, Shift, 13}},
     [](EditorContext& e) {
         playOrStop(e.state, e.platform, columnToPlayFrom(e.state));

         return StepKind::None;
     }},
    {CommandId::RepeatKey, "", false, "", {{Key::R, Plain, 4}},
     [](EditorContext& e) {
         flipToggle(e.platform.ui, CommandId::ToggleRepeat);
         takeRepeatToggle(e.state.playback, e.platform.ui);

         return StepKind::None;
     }},
    {CommandId::SelectionKey, "", false, "", {{Key::S, Plain, 9}}, flipSelectionToggle},
    {CommandId::DeleteKey, "", false, "", {{Key::Delete, Plain, 8}}, clearColumns},
    {CommandId::TransposeUp, "", false, "", {{Key::Up, Ctrl, 14}},
     [](EditorContext& e) { return transpose(e, -1); }},
    {CommandId::TransposeDown, "", false, "", {{Key::Down, Ctrl, 15}},
     [](EditorContext& e) { return transpose(e, 1); }},
    {CommandId::OctaveUp, "", false, "", {{Key::Up, CtrlShift, 16}},
     [](EditorContext& e) { return transpose(e, -RowsPerOctave); }},
    {CommandId::OctaveDown, "", false, "", {{Key::Down, CtrlShift, 17}},
     [](EditorContext& e) { return transpose(e, RowsPerOctave); }},
    // Plus needs Shift on many keyboards, and Ctrl+= is the same key without it.
    {CommandId::ZoomIn, "", false, "", {{Key::Plus, Ctrl, 18}, {Key::Plus, CtrlShift, 19}, {Key::Equal, Ctrl, 20}},
     [](EditorContext& e) {
         zoomAtCentre(e, 1);
         return StepKind::None;
     }},
    {CommandId::ZoomOut, "", false, "", {{Key::Minus, Ctrl, 21}},
     [](EditorContext& e) {
         zoomAtCentre(e, -1);
         return StepKind::None;
     }},
    {CommandId::FollowKey, "", false, "", {{Key::F, Ctrl, 22}},
     [](EditorContext& e) {
         flipToggle(e.platform.ui, CommandId::FollowPlayback);
         takeFollowToggle(e.state.playback, e.platform.ui);

         return StepKind::None;
     }},

    // Entries of the popup menus.
    {CommandId::MenuCancel, "", false, "cancel", {}, none},
    {CommandId::InsertColumn, "", false, "insert column", {}, insertColumnAtMenu},
    {CommandId::DeleteColumn, "", false, "delete column", {}, deleteColumnAtMenu},
    {CommandId::PasteNotesOnly, "", false, "paste notes only", {},
     [](EditorContext& e) {
         e.state.shell.pasteMode = PasteNotes;
         return StepKind::None;
     }},
    {CommandId::PasteLayoutOnly, "", false, "paste layout only", {},
     [](EditorContext& e) {
         e.state.shell.pasteMode = PasteLayout;
         return StepKind::None;
     }},
    {CommandId::PasteNotesAndLayout, "", false, "paste notes and layout", {},
     [](EditorContext& e) {
         e.state.shell.pasteMode = PasteNotes | PasteLayout;

         return StepKind::None;
     }},
};

} // namespace

std::span<const Command> commandTable() {
    return Commands;
}

const Command* findCommand(CommandId id) {
    const auto found =
        std::find_if(Commands.begin(), Commands.end(), [id](const Command& c) { return c.id == id; });
    return found == Commands.end() ? nullptr : &*found;
}

StepKind runCommand(EditorContext& editor, CommandId id) {
    const Command* command = findCommand(id);
    if (command == nullptr || command->handler == nullptr) return StepKind::None;
    return command->handler(editor);
}

} // namespace vemo
