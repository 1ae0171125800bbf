#include "app/PlaybackCommands.h"
#include "platform/Ids.h"
#include "sound/Playback.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MelodyFixture.h"
#include "tests/support/SoundFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace vemo {
namespace {

using Call = test::RecordingBeeper::Call;

class PlaybackTest : public ::testing::Test {
  protected:
    void SetUp() override { test::prepareSoundEditor(state, fake.ui); }
    // The worker has ended and the event loop has seen it.
    void waitUntilIdle() {
        fake.runtime.joinAll();
        EXPECT_FALSE(state.playback.playbackThread.isRunning());
        showPlaybackEnded(state.playback, fake.ui);
    }
    void expectIdleToolbar() {
        EXPECT_TRUE(fake.ui.buttonEnabled(CommandId::Sing));
        EXPECT_FALSE(fake.ui.buttonEnabled(CommandId::ShutUp));
    }
    void threeEventMelody() {
        test::setNote(state.melody, 0, 50, false, true);
        test::setNote(state.melody, 1, 50, true, false);
        test::setNote(state.melody, 3, 57);
    }
    const std::vector<Call> threeEventCalls{{440, 240, false}, {0, 120, true}, {297, 120, false}};

    EditorState state;
    test::FakePlatform fake;
};

TEST_F(PlaybackTest, NothingInRangeRestoresToolbarAndKeepsTheOldList) {
    state.playback.toneList = {{123, 0, 45}};
    fake.ui.pendingEvents.push_back(commandEvent(WindowId::Main, CommandId::Sing));
    playMelody(state, fake.platform);
    expectIdleToolbar();
    EXPECT_EQ(fake.runtime.threadsStarted, 0);
    EXPECT_EQ(state.playback.toneList, (ToneList{{123, 0, 45}}));
    EXPECT_TRUE(fake.ui.pendingEvents.empty()) << "pending events are drained";
}

TEST_F(PlaybackTest, PlaysTonesAndRestsInOrderThenGoesIdle) {
    threeEventMelody();
    state.playback.stopRequested = 1; // a stale stop from "shut up" while idle
    playMelody(state, fake.platform);
    waitUntilIdle();
    EXPECT_EQ(fake.beeper.calls(), threeEventCalls);
    expectIdleToolbar();
    EXPECT_EQ(fake.beeper.finishCount, 1) << "the last tone sounds out before the toolbar resets";
}

TEST_F(PlaybackTest, ToolbarShowsPlayingWhileTheWorkerRuns) {
    threeEventMelody();
    fake.beeper.hold();
    playMelody(state, fake.platform);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    EXPECT_FALSE(fake.ui.buttonEnabled(CommandId::Sing));
    EXPECT_TRUE(fake.ui.buttonEnabled(CommandId::ShutUp));
    EXPECT_TRUE(state.playback.playbackThread.isRunning());
    fake.beeper.release();
    waitUntilIdle();
    expectIdleToolbar();
}

TEST_F(PlaybackTest, StopCutsTheSoundingEventAndStartsNothingAfter) {
    threeEventMelody();
    fake.beeper.hold(); // the first tone would sound until released
    playMelody(state, fake.platform);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    state.playback.stopRequested = 1;
    for (int waitedMs = 0; waitedMs < 5000 && state.playback.playbackThread.isRunning(); ++waitedMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(state.playback.playbackThread.isRunning()) << "the stop waited for the tone";
    fake.beeper.release();
    waitUntilIdle();
    EXPECT_EQ(fake.beeper.calls(), (std::vector<Call>{threeEventCalls[0]}));
    expectIdleToolbar();
}

TEST_F(PlaybackTest, OnlyTheUiThreadEndsThePlayingToolbarAndNeverTwoWorkersRun) {
    threeEventMelody();
    fake.beeper.hold();
    playMelody(state, fake.platform);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    playMelody(state, fake.platform); // "sing" reached while playing
    EXPECT_EQ(fake.runtime.threadsStarted, 1);
    fake.beeper.release();
    fake.runtime.joinAll();
    EXPECT_FALSE(fake.ui.buttonEnabled(CommandId::Sing)) << "the worker touched the toolbar";
    // A new playback starts before the event loop has seen the old one's end: the old end
    // must not switch the new playback's toolbar to idle.
    fake.beeper.hold();
    playMelody(state, fake.platform);
    ASSERT_TRUE(fake.beeper.waitForCalls(4));
    showPlaybackEnded(state.playback, fake.ui);
    EXPECT_FALSE(fake.ui.buttonEnabled(CommandId::Sing));
    EXPECT_TRUE(fake.ui.buttonEnabled(CommandId::ShutUp));
    fake.beeper.release();
    waitUntilIdle();
    expectIdleToolbar();
}

TEST_F(PlaybackTest, RepeatStartsOverUntilStopped) {
    threeEventMelody();
    state.playback.repeatOn = 1;
    fake.beeper.hold();
    playMelody(state, fake.platform);
    fake.beeper.release();
    ASSERT_TRUE(fake.beeper.waitForCalls(7));
    state.playback.stopRequested = 1;
    waitUntilIdle();
    const auto calls = fake.beeper.calls();
    ASSERT_GE(calls.size(), 7u);
    for (std::size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(calls[i], threeEventCalls[i % 3]) << i;
}

TEST_F(PlaybackTest, RepeatTurnedOffLetsThePassFinish) {
    threeEventMelody();
    state.playback.repeatOn = 1;
    fake.beeper.hold();
    playMelody(state, fake.platform);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    state.playback.repeatOn = 0;
    fake.beeper.release();
    waitUntilIdle();
    EXPECT_EQ(fake.beeper.calls(), threeEventCalls);
}

TEST_F(PlaybackTest, FailedThreadStartRestoresTheIdleToolbar) {
    threeEventMelody();
    fake.runtime.failThreadStart = true;
    playMelody(state, fake.platform);
    expectIdleToolbar();
    EXPECT_FALSE(state.playback.playbackThread.isRunning());
    EXPECT_EQ(state.playback.toneList.size(), 3u);
}

TEST_F(PlaybackTest, PreviewIsDroppedWhileOneStillSounds) {
    fake.beeper.hold();
    startPreview(state.playback, fake.beeper, fake.runtime, 440, 120);
    ASSERT_TRUE(fake.beeper.waitForCalls(1));
    startPreview(state.playback, fake.beeper, fake.runtime, 880, 120);
    fake.beeper.release();
    fake.runtime.joinAll();
    EXPECT_EQ(fake.beeper.calls(), (std::vector<Call>{{440, 120, false}}));
    startPreview(state.playback, fake.beeper, fake.runtime, 660, 90);
    fake.runtime.joinAll();
    EXPECT_EQ(fake.beeper.calls().back(), (Call{660, 90, false}));
}

TEST_F(PlaybackTest, SweepTonesWaitForThePreviousOne) {
    for (std::int32_t step = 0; step < 5; ++step)
        startPreviewAfterPrevious(state.playback, fake.beeper, fake.runtime, 750 + 100 * step, 10);
    fake.runtime.joinAll();
    const auto calls = fake.beeper.calls();
    ASSERT_EQ(calls.size(), 5u);
    for (std::int32_t step = 0; step < 5; ++step)
        EXPECT_EQ(calls[step].frequencyHz, 750 + 100 * step);
    // Each one-shot thread lasts as long as its tone, so the sweep's tones follow one another.
    EXPECT_EQ(fake.beeper.finishCount, 5);
}

TEST_F(PlaybackTest, ToneThreadThatStartsLateStillSoundsItsOwnTone) {
    // The closing sweep's last tone thread may first run after the editor is gone.
    fake.runtime.holdThreadStarts();
    auto playback = std::make_unique<Playback>();
    startPreview(*playback, fake.beeper, fake.runtime, 150, 8);
    playback.reset();
    fake.runtime.releaseThreadStarts();
    fake.runtime.joinAll();
    EXPECT_EQ(fake.beeper.calls(), (std::vector<Call>{{150, 8, false}}));
}

} // namespace
} // namespace vemo
