#include "platform/sdl/AudioBeeper.h"

#include "tests/sdl/DiskAudio.h"

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

struct Event {
    std::int32_t frequencyHz; // 0 for a rest
    std::int32_t durationMs;
};

void play(Beeper& beeper, const Event& event) {
    if (event.frequencyHz == 0) {
        beeper.rest(event.durationMs);
    } else {
        beeper.beep(event.frequencyHz, event.durationMs);
    }
}

std::vector<std::int16_t> idealSequence(const std::vector<Event>& events) {
    std::vector<std::int16_t> samples;
    for (const Event& event : events) {
        if (event.frequencyHz == 0) {
            samples.resize(samples.size() +
                           static_cast<std::size_t>(event.durationMs * SamplesPerMs));
        } else {
            const auto wave = idealSquare(event.frequencyHz, event.durationMs);
            samples.insert(samples.end(), wave.begin(), wave.end());
        }
    }
    return samples;
}

// Where the captured sound first differs from the ideal one laid down from its first sample;
// npos when it matches in full and is silent afterwards.
std::size_t firstDeviation(const std::vector<std::int16_t>& captured, std::size_t onset,
                           const std::vector<std::int16_t>& ideal) {
    for (std::size_t index = 0; index < ideal.size(); ++index) {
        if (onset + index >= captured.size() || captured[onset + index] != ideal[index])
            return index;
    }
    if (firstSoundAt(captured, onset + ideal.size()) != captured.size()) return ideal.size();
    return std::string::npos;
}

TEST(AudioBeeper, PlacesOneThreadsTonesAndRestsEndToEnd) {
    DiskAudio disk("sequence");
    // Frequencies divide the half-rate, so each half period is a whole number of samples.
    const std::vector<Event> events{{1000, 60}, {1500, 45}, {0, 30},   {600, 25}, {0, 10},
                                    {0, 15},    {2000, 40}, {800, 35}, {3000, 1}, {1200, 20}};
    {
        auto beeper = makeAudioBeeper();
        for (const Event& event : events)
            play(*beeper, event);
        beeper->rest(TailRestMs);
    }
    const auto captured = disk.samples();
    const auto onset = firstSoundAt(captured);
    ASSERT_LT(onset, captured.size()) << "nothing was played";
    const auto ideal = idealSequence(events);
    const auto deviation = firstDeviation(captured, onset, ideal);
    EXPECT_EQ(deviation, std::string::npos)
        << "differs " << static_cast<double>(deviation) / SamplesPerMs << " ms after the start";
}

TEST(AudioBeeper, ToneKeepsItsFrequencyAndLength) {
    DiskAudio disk("pitch");
    constexpr std::int32_t FrequencyHz = 440;
    constexpr std::int32_t DurationMs = 500;
    {
        auto beeper = makeAudioBeeper();
        beeper->beep(FrequencyHz, DurationMs);
        beeper->rest(TailRestMs);
    }
    const auto captured = disk.samples();
    const auto onset = firstSoundAt(captured);
    ASSERT_LT(onset, captured.size());
    const auto end = firstSilenceAt(captured, onset);
    EXPECT_EQ(end - onset, static_cast<std::size_t>(DurationMs * SamplesPerMs));

    std::vector<std::size_t> risingEdges;
    for (std::size_t index = onset + 1; index < end; ++index) {
        if (captured[index - 1] < 0 && captured[index] > 0) risingEdges.push_back(index);
    }
    ASSERT_GE(risingEdges.size(), 2u);
    const double periods = static_cast<double>(risingEdges.size() - 1);
    const double spanSamples = static_cast<double>(risingEdges.back() - risingEdges.front());
    EXPECT_NEAR(periods * SampleRateHz / spanSamples, FrequencyHz, 0.5);
}

TEST(AudioBeeper, ToneAfterAPauseStartsAtOnceAndSoundsInFull) {
    DiskAudio disk("pause");
    constexpr std::int32_t DurationMs = 50;
    {
        auto beeper = makeAudioBeeper();
        beeper->beep(1000, DurationMs);
        std::this_thread::sleep_for(200ms);
        beeper->beep(1500, DurationMs);
        beeper->rest(TailRestMs);
    }
    const auto captured = disk.samples();
    const auto first = firstSoundAt(captured);
    ASSERT_LT(first, captured.size());
    const auto firstEnd = firstSilenceAt(captured, first);
    const auto second = firstSoundAt(captured, firstEnd);
    ASSERT_LT(second, captured.size()) << "the second tone is missing";
    EXPECT_EQ(firstDeviation(captured, second, idealSquare(1500, DurationMs)), std::string::npos);
}

TEST(AudioBeeper, TonesOfTwoThreadsAreMixed) {
    DiskAudio disk("mix");
    constexpr std::int32_t LongMs = 400;
    constexpr std::int32_t ShortMs = 100;
    {
        auto beeper = makeAudioBeeper();
        auto other = std::async(std::launch::async, [&] { beeper->beep(1000, LongMs); });
        std::this_thread::sleep_for(100ms);
        beeper->beep(1500, ShortMs);
        other.wait();
        beeper->rest(TailRestMs);
    }
    auto captured = disk.samples();
    const auto onset = firstSoundAt(captured);
    ASSERT_LT(onset, captured.size());

    // Taking the long tone away must leave exactly the short one.
    const auto longTone = idealSquare(1000, LongMs);
    ASSERT_LE(onset + longTone.size(), captured.size());
    bool isSummed = false;
    for (std::size_t index = 0; index < longTone.size(); ++index) {
        isSummed = isSummed || captured[onset + index] == 2 * VoiceAmplitude;
        captured[onset + index] =
            static_cast<std::int16_t>(captured[onset + index] - longTone[index]);
    }
    EXPECT_TRUE(isSummed) << "the tones did not overlap";
    const auto shortOnset = firstSoundAt(captured);
    ASSERT_LT(shortOnset, captured.size()) << "the second thread's tone is missing";
    EXPECT_EQ(firstDeviation(captured, shortOnset, idealSquare(1500, ShortMs)), std::string::npos);
}

TEST(AudioBeeper, AbortReleasesALongBeepAndSilencesIt) {
    DiskAudio disk("abort");
    constexpr std::int32_t LongToneMs = 30000;
    {
        auto beeper = makeAudioBeeper();
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
    constexpr std::int32_t LongToneMs = 30000;
    constexpr std::int64_t BufferSamples = 512;
    StopFlag stop{0};
    std::int64_t requestSample = 0;
    {
        auto beeper = makeAudioBeeper();
        auto player = std::async(std::launch::async, [&] {
            beeper->beep(440, LongToneMs, &stop);
            beeper->beep(880, LongToneMs, &stop);
            beeper->finish();
        });
        EXPECT_EQ(player.wait_for(200ms), std::future_status::timeout);
        requestSample = producedSamples(*beeper);
        stop = 1;
        EXPECT_EQ(player.wait_for(5s), std::future_status::ready) << "the stop waited for the tone";
        beeper->rest(TailRestMs);
    }
    const auto captured = disk.samples();
    const auto onset = firstSoundAt(captured);
    ASSERT_LT(onset, captured.size());
    EXPECT_EQ(firstSilenceAt(captured, onset), soundEnd(captured)) << "something sounded after";
    // The request may meet a buffer that is being mixed; the next one is silent.
    EXPECT_LE(static_cast<std::int64_t>(soundEnd(captured)), requestSample + 2 * BufferSamples);
}

TEST(AudioBeeper, WithoutAnOutputSaysSoOnceAndStaysSilent) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    auto beeper = makeAudioBeeper();
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
