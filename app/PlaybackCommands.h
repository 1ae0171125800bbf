#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"

namespace vemo {

// "sing": the toolbar shows a playback, the events that came meanwhile are dropped, and the tones
// of the melody's range play on a worker. From a column (0 or more): from there to the end of the
// melody, or of the selection in use when the column lies inside it.
void playMelody(EditorState& state, Platform& platform, std::int32_t fromColumn = -1);

// The UI thread's side of a playback's end: once the worker has ended, the toolbar goes back to
// idle. Asked on every pass of the event loop, so the end of a playback is seen only here, and
// never applied to a playback that started after it.
void showPlaybackEnded(Playback& playback, Ui& ui);

// "sing" on and "shut up" off, or the other way round.
void showIdleToolbar(Ui& ui);
void showPlayingToolbar(Ui& ui);

// Space and Shift+Space: stop while a melody plays, else play (from a column, as playMelody).
void playOrStop(EditorState& state, Platform& platform, std::int32_t fromColumn = -1);

// The toolbar toggles "toggle repeat" and "follow playback", as the user left them; from their
// keys (R, Ctrl+F) they are flipped first. Following is remembered for the next run.
void takeRepeatToggle(Playback& playback, Ui& ui);
void takeFollowToggle(Playback& playback, Ui& ui);
void flipToggle(Ui& ui, CommandId toggle);
// "follow playback" as the user left it in the last run (off the first time).
void restoreFollowPlayback(Playback& playback, Ui& ui);

} // namespace vemo
