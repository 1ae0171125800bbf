#include "app/PlaybackCommands.h"

#include "platform/Ids.h"
#include "sound/Playback.h"
#include "sound/ToneList.h"

namespace vemo {

namespace {

// From a column on: to the end of the melody, or of the selection when it is in use and the
// column lies inside it.
Selection playedColumns(const EditorState& state, std::int32_t fromColumn) {
    const Selection& selection = state.selection;
    if (fromColumn < 0) return selection;
    const bool isInsideSelection = selection.selectionActive != 0 &&
                                   selection.selectionFirst <= fromColumn &&
                                   fromColumn <= selection.selectionLast;
    Selection from = selection;
    from.selectionActive = 1;
    from.selectionFirst = fromColumn;
    from.selectionLast = isInsideSelection ? selection.selectionLast : state.melody.lastColumn;
    return from;
}

constexpr const char* FollowPlaybackSetting = "followPlayback";

} // namespace

void showIdleToolbar(Ui& ui) {
    ui.setButtonEnabled(CommandId::Sing, true);
    ui.setButtonEnabled(CommandId::ShutUp, false);
}

void showPlayingToolbar(Ui& ui) {
    ui.setButtonEnabled(CommandId::Sing, false);
    ui.setButtonEnabled(CommandId::ShutUp, true);
}

void playMelody(EditorState& state, Platform& platform, std::int32_t fromColumn) {
    Playback& playback = state.playback;
    // One worker at a time, whatever the buttons show.
    if (playback.playbackThread.isRunning()) return;
    showPlayingToolbar(platform.ui);
    playback.isPlayingShown = true;
    platform.ui.drainEvents();
    const MelodyRange range = melodyRange(state.melody, playedColumns(state, fromColumn));
    if (range.firstNoteColumn < 0) {
        showPlaybackEnded(playback, platform.ui);
        return;
    }
    playback.isFollowing = playback.followPlayback;
    const PlayedColumns columns{range.firstNoteColumn,
                                range.lastNoteColumn - range.firstNoteColumn + 1,
                                state.melody.columnDuration};
    if (!startPlayback(playback, platform.beeper, platform.runtime,
                       buildToneList(state.melody, state.pitch, range), columns))
        showPlaybackEnded(playback, platform.ui);
}

void showPlaybackEnded(Playback& playback, Ui& ui) {
    if (!playback.isPlayingShown || playback.playbackThread.isRunning()) return;
    showIdleToolbar(ui);
    playback.isPlayingShown = false;
}

void playOrStop(EditorState& state, Platform& platform, std::int32_t fromColumn) {
    // Asked of the thread, not of the buttons: the key works whatever the toolbar shows.
    if (state.playback.playbackThread.isRunning())
        state.playback.stopRequested.store(1);
    else
        playMelody(state, platform, fromColumn);
}

void flipToggle(Ui& ui, CommandId toggle) {
    ui.setButtonPressed(toggle, !ui.isButtonPressed(toggle));
}

void takeRepeatToggle(Playback& playback, Ui& ui) {
    playback.repeatOn.store(ui.isButtonPressed(CommandId::ToggleRepeat) ? 1 : 0);
}

// Switched on during a playback the view follows from now on; switched off it stops.
void takeFollowToggle(Playback& playback, Ui& ui) {
    playback.followPlayback = ui.isButtonPressed(CommandId::FollowPlayback);
    playback.isFollowing = playback.followPlayback && playback.isPlayingShown;
    ui.storeSetting(FollowPlaybackSetting, playback.followPlayback ? "1" : "0");
}

void restoreFollowPlayback(Playback& playback, Ui& ui) {
    playback.followPlayback = ui.setting(FollowPlaybackSetting) == "1";
    ui.setButtonPressed(CommandId::FollowPlayback, playback.followPlayback);
}

} // namespace vemo
