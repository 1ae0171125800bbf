#include "sound/Playback.h"

#include "platform/Ids.h"
#include "sound/ToneList.h"

#include <algorithm>
#include <cmath>
#include <memory>

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

void publishCursor(Playback& playback, std::int32_t offsetMs, std::int64_t startUs) {
    playback.cursorVersion.fetch_add(1);
    playback.cursorEventOffsetMs.store(offsetMs);
    playback.cursorEventStartUs.store(startUs);
    playback.cursorVersion.fetch_add(1);
}

} // namespace

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
    playback.playedFirstColumn = range.firstNoteColumn;
    playback.playedColumnCount = range.lastNoteColumn - range.firstNoteColumn + 1;
    playback.playedColumnMs = state.melody.columnDuration;
    playback.cursorEventStartUs.store(-1);
    playback.isFollowing = playback.followPlayback;
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
    while (playback.previewThread.isRunning())
        platform.runtime.sleepMs(1);
    launchPreview(playback, platform, frequencyHz, durationMs);
}

} // namespace vemo
