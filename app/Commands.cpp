#include "app/Commands.h"

#include "app/ExportCommand.h"
#include "app/FileCommands.h"
#include "app/NewMelodyCommand.h"
#include "app/UndoCommands.h"
#include "model/Columns.h"
#include "model/Clipboard.h"
#include "model/NewMelody.h"
#include "platform/Ids.h"
#include "store/FileNames.h"
#include "app/CodeWindow.h"
#include "app/PlaybackCommands.h"
#include "sound/Playback.h"
#include "view/PlaybackCursor.h"
#include "view/Redraw.h"
#include "view/Zooming.h"

#include <filesystem>
#include <system_error>

namespace vemo {

namespace {

void flipToggle(Ui& ui, CommandId commandId) {
    ui.setButtonPressed(commandId, !ui.isButtonPressed(commandId));
}

void takeRepeatToggle(EditorContext& editor) {
    editor.state.playback.repeatOn.store(
        editor.platform.ui.isButtonPressed(CommandId::ToggleRepeat) ? 1 : 0);
}

void takeSelectionToggle(EditorContext& editor) {
    editor.state.selection.selectionActive =
        editor.platform.ui.isButtonPressed(CommandId::ToggleSelection) ? 1 : 0;
    redraw(editor, RedrawMain);
}

constexpr const char* FollowPlaybackSetting = "followPlayback";

// Switched on during a playback the view follows from now on; switched off it stops.
void takeFollowToggle(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    Playback& playback = editor.state.playback;
    playback.followPlayback = ui.isButtonPressed(CommandId::FollowPlayback);
    playback.isFollowing = playback.followPlayback && playback.isPlayingShown;
    ui.storeSetting(FollowPlaybackSetting, playback.followPlayback ? "1" : "0");
}

void redrawGrid(EditorContext& editor) {
    redraw(editor, RedrawMain);
}

// Up and down by rows or octaves; a note that would leave the grid stops it, with a word why.
void transpose(EditorContext& editor, std::int32_t rowChange) {
    EditorState& state = editor.state;
    state.shell.stepName = "transpose";
    const std::string refusal = transposeNotes(state.melody, state.selection, rowChange);
    if (!refusal.empty()) {
        editor.platform.ui.messageBox("transpose", "can't transpose: " + refusal, false);
        return;
    }
    redrawGrid(editor);
}

// The folder the process works in at the moment of the key press.
std::string currentWorkingDirectory() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

} // namespace

void runCommand(EditorContext& editor, CommandId commandId) {
    EditorState& state = editor.state;
    Ui& ui = editor.platform.ui;
    const bool selectionInUse = state.selection.selectionActive != 0;
    switch (commandId) {
    case CommandId::Sing:
        playMelody(state, editor.platform);
        break;
    case CommandId::ShutUp:
        state.playback.stopRequested.store(1);
        break;
    case CommandId::ToggleRepeat:
        takeRepeatToggle(editor);
        break;
    case CommandId::RepeatKey:
        flipToggle(ui, CommandId::ToggleRepeat);
        takeRepeatToggle(editor);
        break;
    case CommandId::GetCode:
        exportCode(state, editor.platform);
        break;
    case CommandId::New:
        ui.showWindow(WindowId::NewMelody, true);
        break;
    case CommandId::Load:
        state.shell.stepName = "load";
        loadMelody(editor);
        break;
    case CommandId::Save:
        saveMelody(editor);
        break;
    case CommandId::ToggleSelection:
        takeSelectionToggle(editor);
        break;
    case CommandId::SelectionKey:
        flipToggle(ui, CommandId::ToggleSelection);
        takeSelectionToggle(editor);
        break;
    case CommandId::Copy:
        if (selectionInUse) copySelection(state.melody, state.selection, state.clipboard);
        break;
    case CommandId::Paste:
        if (selectionInUse && state.shell.pasteMode == 0) ui.showPopupMenu(MenuId::Paste);
        break;
    case CommandId::SpaceKey:
        if (state.playback.playbackThread.isRunning())
            state.playback.stopRequested.store(1);
        else
            playMelody(state, editor.platform);
        break;
    case CommandId::PlayFromPointerKey:
        if (state.playback.playbackThread.isRunning())
            state.playback.stopRequested.store(1);
        else
            playMelody(state, editor.platform, columnToPlayFrom(state));
        break;
    case CommandId::Help:
        openHelp(editor, currentWorkingDirectory());
        break;
    case CommandId::DeleteKey:
        if (!selectionInUse) break;
        state.shell.stepName = "clear";
        clearSelection(state.melody, state.selection);
        redrawGrid(editor);
        break;
    case CommandId::DeleteColumn:
        state.shell.stepName = "delete column";
        deleteColumn(state.melody, state.selection, state.shell.popupColumn);
        redrawGrid(editor);
        break;
    case CommandId::InsertColumn:
        state.shell.stepName = "insert column";
        insertColumn(state.melody, state.selection, state.shell.popupColumn);
        redrawGrid(editor);
        break;
    case CommandId::PasteLayoutOnly:
        state.shell.pasteMode = PasteLayout;
        break;
    case CommandId::PasteNotesOnly:
        state.shell.pasteMode = PasteNotes;
        break;
    case CommandId::PasteNotesAndLayout:
        state.shell.pasteMode = PasteNotes | PasteLayout;
        break;
    case CommandId::TransposeUp:
        transpose(editor, -1);
        break;
    case CommandId::TransposeDown:
        transpose(editor, 1);
        break;
    case CommandId::OctaveUp:
        transpose(editor, -RowsPerOctave);
        break;
    case CommandId::OctaveDown:
        transpose(editor, RowsPerOctave);
        break;
    case CommandId::Export:
        exportMelody(editor);
        break;
    case CommandId::Undo:
        undoStep(editor);
        break;
    case CommandId::Redo:
        redoStep(editor);
        break;
    case CommandId::ZoomIn:
        zoomAtCentre(editor, 1);
        break;
    case CommandId::ZoomOut:
        zoomAtCentre(editor, -1);
        break;
    case CommandId::FollowPlayback:
        takeFollowToggle(editor);
        break;
    case CommandId::FollowKey:
        flipToggle(ui, CommandId::FollowPlayback);
        takeFollowToggle(editor);
        break;
    default: // 37 "cancel" and anything unknown
        break;
    }
}

void applyNewMelodyDialog(EditorContext& editor) {
    Ui& ui = editor.platform.ui;
    editor.state.shell.stepName = "new melody";
    applyNewMelody(editor, ui.spinValue(ControlId::WidthSpin), ui.spinValue(ControlId::SmallBlockSpin),
                   ui.spinValue(ControlId::LargeBlockSpin));
}

void runPaste(EditorContext& editor) {
    EditorState& state = editor.state;
    state.shell.stepName = state.shell.pasteMode == PasteNotes    ? "paste notes"
                           : state.shell.pasteMode == PasteLayout ? "paste layout"
                                                                  : "paste notes and layout";
    pasteClipboard(state.melody, state.selection, state.clipboard, state.shell.pasteMode);
    redrawGrid(editor);
    state.shell.pasteMode = 0;
}

void restoreFollowPlayback(Playback& playback, Ui& ui) {
    playback.followPlayback = ui.setting(FollowPlaybackSetting) == "1";
    ui.setButtonPressed(CommandId::FollowPlayback, playback.followPlayback);
}

void openHelp(EditorContext& editor, const std::string& workingDirectory) {
    Ui& ui = editor.platform.ui;
    const std::string folder = withTrailingSeparator(workingDirectory);
    if (ui.openWithShell(folder + "vemo - help.html")) return;
    if (!ui.messageBox("error",
                       "can't open html-help \r\n" + folder +
                           "vemo - help.html\r\n\r\ndo you want watch the folder?",
                       true))
        return;
    if (ui.openWithShell(folder)) return;
    ui.messageBox("error", "can't open folder\r\n\r\n" + folder, false);
}

} // namespace vemo
