#include "sound/Playback.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace vemo {

namespace {

void publishCursor(Playback& playback, std::int32_t offsetMs, std::int64_t startUs) {
    playback.cursorVersion.fetch_add(1);
    playback.cursorEventOffsetMs.store(offsetMs);
    playback.cursorEventStartUs.store(startUs);
    playback.cursorVersion.fetch_add(1);
}

} // namespace

void playbackWorker(const ToneList& tones, Playback& playback, Beeper& beeper) {
    const StopFlag* stop = &playback.stopRequested;
    for (;;) {
        std::int32_t offsetMs = 0;
        for (const ToneEvent& event : tones) {
            publishCursor(playback, offsetMs, beeper.nextStartUs());
            offsetMs += event.duration;
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

std::optional<double> heardColumn(const Playback& playback, Beeper& beeper) {
    if (!playback.isPlayingShown || playback.playedColumnMs <= 0) return std::nullopt;
    std::int32_t offsetMs = 0;
    std::int64_t startUs = -1;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::uint32_t before = playback.cursorVersion.load();
        offsetMs = playback.cursorEventOffsetMs.load();
        startUs = playback.cursorEventStartUs.load();
        if (before % 2 == 0 && playback.cursorVersion.load() == before) break;
    }
    const std::int64_t heardUs = beeper.heardUs();
    if (startUs < 0 || heardUs < 0) return std::nullopt;
    // Events follow one another without gaps, so any event's start measures the whole pass.
    const double passMs = offsetMs + static_cast<double>(heardUs - startUs) / 1000.0;
    const double lastMs = static_cast<double>(playback.playedColumnCount) * playback.playedColumnMs;
    return playback.playedFirstColumn +
           std::clamp(passMs, 0.0, std::nextafter(lastMs, 0.0)) / playback.playedColumnMs;
}

bool startPlayback(Playback& playback, Beeper& beeper, Runtime& runtime, ToneList tones,
                   PlayedColumns columns) {
    playback.playedFirstColumn = columns.firstColumn;
    playback.playedColumnCount = columns.columnCount;
    playback.playedColumnMs = columns.columnMs;
    playback.cursorEventStartUs.store(-1);
    playback.toneList = std::move(tones);
    playback.stopRequested.store(0);
    // The worker gets its own immutable copy: the editor may rebuild the list after it ends.
    auto workerTones = std::make_shared<const ToneList>(playback.toneList);
    playback.playbackThread = runtime.startThread(
        [workerTones, &playback, &beeper] { playbackWorker(*workerTones, playback, beeper); });
    return playback.playbackThread.started();
}

void previewWorker(std::int32_t frequencyHz, std::int32_t durationMs, Beeper& beeper) {
    beeper.beep(frequencyHz, durationMs);
    // The thread counts as running until its tone is over: a sweep waits for it, and a mouse
    // preview is dropped while it sounds.
    beeper.finish();
}

namespace {

void launchPreview(Playback& playback, Beeper& beeper, Runtime& runtime, std::int32_t frequencyHz,
                   std::int32_t durationMs) {
    playback.previewFrequency.store(frequencyHz);
    playback.previewDuration.store(durationMs);
    // The thread gets the tone by value: it may first run after the editor's state is gone (the
    // closing sweep's last tone), so it must not read the state.
    playback.previewThread = runtime.startThread(
        [frequencyHz, durationMs, &beeper] { previewWorker(frequencyHz, durationMs, beeper); });
}

} // namespace

void startPreview(Playback& playback, Beeper& beeper, Runtime& runtime, std::int32_t frequencyHz,
                  std::int32_t durationMs) {
    if (playback.previewThread.isRunning()) return; // dropped, not queued
    launchPreview(playback, beeper, runtime, frequencyHz, durationMs);
}

void startPreviewAfterPrevious(Playback& playback, Beeper& beeper, Runtime& runtime,
                               std::int32_t frequencyHz, std::int32_t durationMs) {
    while (playback.previewThread.isRunning())
        runtime.sleepMs(1);
    launchPreview(playback, beeper, runtime, frequencyHz, durationMs);
}

} // namespace vemo
