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

} // namespace vemo
