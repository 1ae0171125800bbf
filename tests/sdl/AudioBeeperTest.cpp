#include "platform/sdl/AudioBeeper.h"

#include "tests/sdl/DiskAudio.h"
#include "tests/sdl/StoppedTone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace vemo {
namespace {

using namespace std::chrono_literals;

// A call returns shortly before its sound ends; this rest keeps the output open until the
// last tone is written in full.
constexpr std::int32_t TailRestMs = 100;

using Event = PlayedEvent;

void play(Beeper& beeper, const Event& event) {
    if (event.frequencyHz == 0) {
        beeper.rest(event.durationMs);
    } else {
        beeper.beep(event.frequencyHz, event.durationMs);
    }
}

// Where the sound found from `from` on first differs from the expected one, the two aligned on
// their first audible samples; npos when it matches in full and is silent afterwards.
std::size_t firstDeviation(const std::vector<std::int16_t>& captured, std::size_t from,
                           const std::vector<std::int16_t>& expected) {
    const std::size_t origin = firstSoundAt(captured, from) - firstSoundAt(expected);
    for (std::size_t index = 0; index < expected.size(); ++index) {
        if (origin + index >= captured.size() || captured[origin + index] != expected[index])
            return index;
    }
    if (firstSoundAt(captured, origin + expected.size()) != captured.size()) return expected.size();
    return std::string::npos;
}

TEST(AudioBeeper, PlacesOneThreadsTonesAndRestsEndToEnd) {
    DiskAudio disk("sequence");
    // Matching the mixer sample for sample, the whole sequence keeps every onset, pitch and
    // length that the mixer gives.
    const std::vector<Event> events{{1000, 60}, {1500, 45}, {0, 30},   {600, 25}, {0, 10},
                                    {0, 15},    {2000, 40}, {800, 35}, {3000, 1}, {1200, 20}};
    {
        auto beeper = makeAudioBeeper("vemo");
        for (const Event& event : events)
            play(*beeper, event);
        beeper->rest(TailRestMs);
    }
    const auto captured = disk.samples();
    ASSERT_LT(firstSoundAt(captured), captured.size()) << "nothing was played";
    const auto deviation = firstDeviation(captured, 0, expectedSound(events));
    EXPECT_EQ(deviation, std::string::npos)
        << "differs " << static_cast<double>(deviation) / SamplesPerMs << " ms after the start";
}

TEST(AudioBeeper, ToneAfterAPauseStartsAtOnceAndSoundsInFull) {
    DiskAudio disk("pause");
    constexpr std::int32_t DurationMs = 50;
    {
        auto beeper = makeAudioBeeper("vemo");
        beeper->beep(1000, DurationMs);
        std::this_thread::sleep_for(200ms);
        beeper->beep(1500, DurationMs);
        beeper->rest(TailRestMs);
    }
    const auto captured = disk.samples();
    const auto first = firstSoundAt(captured);
    ASSERT_LT(first, captured.size());
    const auto firstEnd = firstSilenceAt(captured, first);
    ASSERT_LT(firstSoundAt(captured, firstEnd), captured.size()) << "the second tone is missing";
    EXPECT_EQ(firstDeviation(captured, firstEnd, expectedSound({{1500, DurationMs}})),
              std::string::npos);
}

TEST(AudioBeeper, TonesOfTwoThreadsAreMixed) {
    DiskAudio disk("mix");
    constexpr std::int32_t LongMs = 400;
    constexpr std::int32_t ShortMs = 100;
    {
        auto beeper = makeAudioBeeper("vemo");
        auto other = std::async(std::launch::async, [&] { beeper->beep(1000, LongMs); });
        std::this_thread::sleep_for(100ms);
        beeper->beep(1500, ShortMs);
        other.wait();
        beeper->rest(TailRestMs);
    }
    auto captured = disk.samples();
    const auto onset = firstSoundAt(captured);
    ASSERT_LT(onset, captured.size());

    // Taking the long tone away must leave exactly the short one, inside the long one.
    const auto longTone = expectedSound({{1000, LongMs}});
    const std::size_t longOrigin = onset - firstSoundAt(longTone);
    ASSERT_LE(longOrigin + longTone.size(), captured.size());
    for (std::size_t index = 0; index < longTone.size(); ++index) {
        captured[longOrigin + index] =
            static_cast<std::int16_t>(captured[longOrigin + index] - longTone[index]);
    }
    const auto shortOnset = firstSoundAt(captured);
    ASSERT_LT(shortOnset, captured.size()) << "the second thread's tone is missing";
    EXPECT_LT(shortOnset, longOrigin + LongMs * SamplesPerMs) << "the tones did not overlap";
    EXPECT_EQ(firstDeviation(captured, 0, expectedSound({{1500, ShortMs}})), std::string::npos);
}

TEST(AudioBeeper, AbortReleasesALongBeepAndSilencesIt) {
    DiskAudio disk("abort");
    constexpr std::int32_t LongToneMs = 30000;
    {
        auto beeper = makeAudioBeeper("vemo");
        auto blocked = std::async(std::launch::async, [&] { beeper->beep(440, LongToneMs); });
        EXPECT_EQ(blocked.wait_for(100ms), std::future_status::timeout);
        beeper->abort();
        EXPECT_EQ(blocked.wait_for(5s), std::future_status::ready);

        auto later = std::async(std::launch::async, [&] {
            beeper->beep(440, LongToneMs);
            beeper->rest(LongToneMs);
        });
        EXPECT_EQ(later.wait_for(5s), std::future_status::ready);
    }
    const auto captured = disk.samples();
    const auto onset = firstSoundAt(captured);
    ASSERT_LT(onset, captured.size());
    EXPECT_LT(firstSilenceAt(captured, onset) - onset,
              static_cast<std::size_t>(LongToneMs * SamplesPerMs / 2));
}

TEST(AudioBeeper, StopSilencesTheSoundingToneWithinABufferAndStartsNothingAfter) {
    DiskAudio disk("stop");
    constexpr std::int64_t BufferSamples = 512;
    const StoppedTone stopped = stopLongTone(200ms);
    EXPECT_TRUE(stopped.hasPlayerReturned) << "the stop waited for the tone";
    const auto captured = disk.samples();
    const auto onset = firstSoundAt(captured);
    ASSERT_LT(onset, captured.size());
    EXPECT_EQ(firstSilenceAt(captured, onset), soundEnd(captured)) << "something sounded after";
    // The request may meet a buffer that is being mixed; the next one is silent.
    EXPECT_LE(static_cast<std::int64_t>(soundEnd(captured)),
              stopped.requestSample + 2 * BufferSamples);
}

TEST(AudioBeeper, WithoutAnOutputSaysSoOnceAndStaysSilent) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    auto beeper = makeAudioBeeper("vemo");
    const std::string said = testing::internal::GetCapturedStderr();
    ::unsetenv("SDL_AUDIODRIVER");

    ASSERT_NE(beeper, nullptr);
    EXPECT_NE(said.find("sound is off"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

    auto blocked = std::async(std::launch::async, [&] { beeper->beep(440, 30000); });
    EXPECT_EQ(blocked.wait_for(100ms), std::future_status::timeout);
    beeper->abort();
    EXPECT_EQ(blocked.wait_for(5s), std::future_status::ready);
}

} // namespace
} // namespace vemo
