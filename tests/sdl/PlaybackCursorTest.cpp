#include "platform/sdl/AudioBeeper.h"
#include "sound/Playback.h"
#include "tests/sdl/DiskAudio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace vemo {
namespace {

// The cursor's column, read while a melody plays through SDL's disk driver, against the place in
// the recording that the output had reached at that moment.
TEST(PlaybackCursorOnDisk, HeardColumnStaysWithinTwentyMillisecondsOfTheRecording) {
    DiskAudio disk("cursor");
    constexpr std::int32_t ColumnMs = 100;
    constexpr std::int32_t ColumnCount = 20;
    ToneList tones;
    for (std::int32_t column = 0; column < ColumnCount; ++column)
        tones.push_back({column % 2 == 0 ? 1000 : 1500, 0, ColumnMs});
    Playback playback;
    playback.playedFirstColumn = 0;
    playback.playedColumnCount = ColumnCount;
    playback.playedColumnMs = ColumnMs;
    playback.isPlayingShown = true;

    struct Reading {
        double cursorMs;
        std::int64_t producedSamples;
    };
    std::vector<Reading> readings;
    {
        auto beeper = makeAudioBeeper("vemo");
        std::thread worker([&] { playbackWorker(tones, playback, *beeper); });
        for (int reading = 0; reading < 70; ++reading) {
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
            const std::optional<double> column = heardColumn(playback, *beeper);
            if (column) readings.push_back({*column * ColumnMs, producedSamples(*beeper)});
        }
        worker.join();
        beeper->rest(100);
    }
    const auto captured = disk.samples();
    const auto onset = static_cast<std::int64_t>(firstSoundAt(captured));
    ASSERT_LT(onset, static_cast<std::int64_t>(captured.size()));
    double largestErrorMs = 0.0;
    int inside = 0;
    for (const Reading& reading : readings) {
        // Before the start and after the end the cursor rests at the melody's edges.
        if (reading.cursorMs <= 0.0 || reading.cursorMs >= ColumnCount * ColumnMs - 1) continue;
        const double recordedMs =
            static_cast<double>(reading.producedSamples - onset) / SamplesPerMs;
        largestErrorMs = std::max(largestErrorMs, std::abs(reading.cursorMs - recordedMs));
        ++inside;
    }
    EXPECT_GT(inside, 40) << "too few readings during the melody";
    EXPECT_LE(largestErrorMs, 20.0);
    RecordProperty("largestCursorErrorMs", std::to_string(largestErrorMs));
}

} // namespace
} // namespace vemo
