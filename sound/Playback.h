#pragma once

#include "model/EditorState.h"
#include "platform/Beeper.h"
#include "platform/Threads.h"

#include <optional>

namespace vemo {

// The columns a playback plays, for the cursor: its first one, how many, and each one's length.
struct PlayedColumns {
    std::int32_t firstColumn = 0;
    std::int32_t columnCount = 0;
    std::int32_t columnMs = 0;
};

// Plays the tones on a worker thread: the tone list is kept, the stop flag cleared, the cursor
// reset. False when the thread could not be started.
bool startPlayback(Playback& playback, Beeper& beeper, Runtime& runtime, ToneList tones,
                   PlayedColumns columns);

// The column being heard now, with the fraction of it that has passed; none when nothing plays
// or the beeper keeps no clock.
std::optional<double> heardColumn(const Playback& playback, Beeper& beeper);

// Worker bodies. They touch only the tone list they were given, the atomics of Playback and the
// beeper; their end is for the UI thread to find out. The playback worker plays under
// stopRequested, so a stop silences the sounding tone at once. A tone thread gets the values of
// previewFrequency and previewDuration as they were when it was started.
void playbackWorker(const ToneList& tones, Playback& playback, Beeper& beeper);
void previewWorker(std::int32_t frequencyHz, std::int32_t durationMs, Beeper& beeper);

// The mouse preview: starts a one-shot tone unless the previous one still sounds.
void startPreview(Playback& playback, Beeper& beeper, Runtime& runtime, std::int32_t frequencyHz,
                  std::int32_t durationMs);
// The sweeps: wait for the previous one-shot tone, then start the next.
void startPreviewAfterPrevious(Playback& playback, Beeper& beeper, Runtime& runtime,
                               std::int32_t frequencyHz, std::int32_t durationMs);

} // namespace vemo
