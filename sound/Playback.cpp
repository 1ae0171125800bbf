#include "sound/Playback.h"

#include "platform/Ids.h"
#include "sound/ToneList.h"

#include <memory>

namespace vemo {

void showIdleToolbar(Ui& ui) {
    ui.setButtonEnabled(CommandId::Sing, true);
    ui.setButtonEnabled(CommandId::ShutUp, false);
}

void showPlayingToolbar(Ui& ui) {
    ui.setButtonEnabled(CommandId::Sing, false);
    ui.setButtonEnabled(CommandId::ShutUp, true);
}

void playbackWorker(const ToneList& tones, Playback& playback, Beeper& beeper) {
    const StopFlag* stop = &playback.stopRequested;
    for (;;) {
        for (const ToneEvent& event : tones) {
            if (event.isRest == 0)
                beeper.beep(event.frequency, event.duration, stop);
            else
                beeper.rest(event.duration, stop);
            if (stop->load() != 0) break;
        }
        if (stop->load() != 0 || playback.repeatOn.load() == 0) break;
    }
    beeper.finish();
}

void playMelody(EditorState& state, Platform& platform) {
    Playback& playback = state.playback;
    // One worker at a time, whatever the buttons show.
    if (playback.playbackThread.isRunning()) return;
    showPlayingToolbar(platform.ui);
    playback.isPlayingShown = true;
    platform.ui.drainEvents();
    const MelodyRange range = melodyRange(state.melody, state.selection);
    if (range.firstNoteColumn < 0) {
        showPlaybackEnded(playback, platform.ui);
        return;
    }
    playback.toneList = buildToneList(state.melody, state.pitch, range);
    playback.stopRequested.store(0);
    // The worker gets its own immutable copy: the editor may rebuild the list after it ends.
    auto tones = std::make_shared<const ToneList>(playback.toneList);
    Beeper& beeper = platform.beeper;
    playback.playbackThread = platform.runtime.startThread(
        [tones, &playback, &beeper] { playbackWorker(*tones, playback, beeper); });
    if (!playback.playbackThread.started()) showPlaybackEnded(playback, platform.ui);
}

void showPlaybackEnded(Playback& playback, Ui& ui) {
    if (!playback.isPlayingShown || playback.playbackThread.isRunning()) return;
    showIdleToolbar(ui);
    playback.isPlayingShown = false;
}

void previewWorker(std::int32_t frequencyHz, std::int32_t durationMs, Beeper& beeper) {
    beeper.beep(frequencyHz, durationMs);
    // The thread counts as running until its tone is over: a sweep waits for it, and a mouse
    // preview is dropped while it sounds.
    beeper.finish();
}

namespace {

void launchPreview(Playback& playback, Platform& platform, std::int32_t frequencyHz,
                   std::int32_t durationMs) {
    playback.previewFrequency.store(frequencyHz);
    playback.previewDuration.store(durationMs);
    // The thread gets the tone by value: it may first run after the editor's state is gone (the
    // closing sweep's last tone), so it must not read the state.
    Beeper& beeper = platform.beeper;
    playback.previewThread = platform.runtime.startThread(
        [frequencyHz, durationMs, &beeper] { previewWorker(frequencyHz, durationMs, beeper); });
}

} // namespace

void startPreview(Playback& playback, Platform& platform, std::int32_t frequencyHz,
                  std::int32_t durationMs) {
    if (playback.previewThread.isRunning()) return; // dropped, not queued
    launchPreview(playback, platform, frequencyHz, durationMs);
}

void startPreviewAfterPrevious(Playback& playback, Platform& platform, std::int32_t frequencyHz,
                               std::int32_t durationMs) {
    while (playback.previewThread.isRunning()) platform.runtime.sleepMs(1);
    launchPreview(playback, platform, frequencyHz, durationMs);
}

} // namespace vemo
