#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"

#include <optional>

namespace vemo {

// "sing": builds the tone list of the melody's range and plays it on a worker thread. From a
// column (0 or more): from there to the end of the melody, or of the selection in use when
// the column lies inside it.
void playMelody(EditorState& state, Platform& platform, std::int32_t fromColumn = -1);

// The column being heard now, with the fraction of it that has passed; none when nothing plays
// or the beeper keeps no clock.
std::optional<double> heardColumn(const Playback& playback, Beeper& beeper);

// The UI thread's side of a playback's end: once the worker has ended, the toolbar goes back to
// idle. Asked on every pass of the event loop, so the end of a playback is seen only here, and
// never applied to a playback that started after it.
void showPlaybackEnded(Playback& playback, Ui& ui);

// Worker bodies. They touch only the tone list they were given, the atomics of Playback and the
// beeper. The playback worker plays under stopRequested, so a stop silences the sounding tone at
// once. A tone thread gets the values of previewFrequency and previewDuration as they were
// when it was started.
void playbackWorker(const ToneList& tones, Playback& playback, Beeper& beeper);
void previewWorker(std::int32_t frequencyHz, std::int32_t durationMs, Beeper& beeper);

// The mouse preview: starts a one-shot tone unless the previous one still sounds.
void startPreview(Playback& playback, Platform& platform, std::int32_t frequencyHz,
                  std::int32_t durationMs);
// The sweeps: wait for the previous one-shot tone, then start the next.
void startPreviewAfterPrevious(Playback& playback, Platform& platform, std::int32_t frequencyHz,
                               std::int32_t durationMs);

void showIdleToolbar(Ui& ui);
void showPlayingToolbar(Ui& ui);

} // namespace vemo
