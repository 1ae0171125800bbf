#include "platform/ToneMixer.h"

#include "tests/sdl/DiskAudio.h"
#include "tests/sdl/Partials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace vemo {
namespace {

std::vector<std::int16_t> mixed(ToneMixer& mixer, std::int64_t firstSample, std::size_t count) {
    std::vector<std::int16_t> samples(count, 1);
    mixer.mix(samples.data(), samples.size(), firstSample);
    return samples;
}

// A smooth step from `before` to `after` centred on sample `centre`: the samples around it add up
// in mirrored pairs, and it is complete half a kernel away.
void expectStep(const std::vector<std::int16_t>& samples, std::size_t centre, int before,
                int after) {
    const auto half = static_cast<std::size_t>(ToneLatencySamples);
    for (std::size_t offset = 0; offset < half; ++offset) {
        ASSERT_NEAR(samples[centre - offset] + samples[centre + offset], before + after, 1)
            << "at " << centre << " +-" << offset;
    }
    EXPECT_EQ(samples[centre - half], before) << centre;
    EXPECT_EQ(samples[centre + half], after) << centre;
}

TEST(ToneMixer, EdgesLieOnTheirSampleDelayedAlikeAndTheToneKeepsItsLength) {
    // At 100 Hz a half period is 240 samples, so every edge stands alone.
    constexpr std::int64_t Start = 1000;
    constexpr std::int64_t Length = 4800;
    constexpr std::int64_t HalfPeriod = 240;
    ToneMixer mixer;
    mixer.addVoice(Start, Start + Length, 100);

    const auto samples = mixed(mixer, 0, 7000);
    const auto onset = static_cast<std::size_t>(Start + ToneLatencySamples);
    for (std::size_t index = 0; index <= Start; ++index)
        ASSERT_EQ(samples[index], 0) << index;
    expectStep(samples, onset, 0, VoiceAmplitude);
    expectStep(samples, onset + HalfPeriod, VoiceAmplitude, -VoiceAmplitude);
    expectStep(samples, onset + 2 * HalfPeriod, -VoiceAmplitude, VoiceAmplitude);
    expectStep(samples, onset + Length - HalfPeriod, VoiceAmplitude, -VoiceAmplitude);
    expectStep(samples, onset + Length, -VoiceAmplitude, 0);
    for (std::size_t index = Start + Length + ToneTailSamples; index < samples.size(); ++index)
        ASSERT_EQ(samples[index], 0) << index;
}

TEST(ToneMixer, HighAndLowTonesCarryNoAliasedPartials) {
    // Switching at sample boundaries leaves partials only 14 dB down at the top row's pitch.
    constexpr double LoudestAliasDb = -50.0;
    for (const std::int32_t frequencyHz : {7920, 3960, 1760, 33}) {
        ToneMixer mixer;
        mixer.addVoice(0, SampleRateHz, frequencyHz);
        const auto second = mixed(mixer, ToneLatencySamples, SampleRateHz);
        EXPECT_LT(worstNonHarmonicDb(second, frequencyHz), LoudestAliasDb) << frequencyHz;
    }
}

TEST(ToneMixer, WaveContinuesAcrossBuffers) {
    ToneMixer whole;
    ToneMixer pieces;
    whole.addVoice(17, 5000, 440);
    pieces.addVoice(17, 5000, 440);

    const auto expected = mixed(whole, 0, 6000);
    std::vector<std::int16_t> joined;
    for (std::int64_t first = 0; first < 6000; first += 256) {
        const auto piece = mixed(pieces, first, 256);
        joined.insert(joined.end(), piece.begin(), piece.end());
    }
    joined.resize(expected.size());
    EXPECT_EQ(joined, expected);
}

TEST(ToneMixer, OverlappingVoicesAddUpAndClip) {
    ToneMixer single;
    single.addVoice(0, 4800, 1000);
    ToneMixer pair;
    pair.addVoice(0, 4800, 1000);
    pair.addVoice(0, 4800, 1000);
    const auto one = mixed(single, 0, 5000);
    const auto two = mixed(pair, 0, 5000);
    for (std::size_t index = 0; index < one.size(); ++index)
        ASSERT_EQ(two[index], 2 * one[index]) << index;

    constexpr int CrowdSize = 5;
    ToneMixer crowd;
    for (int voice = 0; voice < CrowdSize; ++voice)
        crowd.addVoice(0, 4800, 100);
    // The middles of the first high and low halves of 100 Hz, far from any edge.
    const auto samples = mixed(crowd, 0, 400);
    EXPECT_EQ(samples[ToneLatencySamples + 120], 32767);
    EXPECT_EQ(samples[ToneLatencySamples + 360], -32768);
}

TEST(ToneMixer, DropsVoicesOnceSilentAndKeepsComingOnes) {
    ToneMixer mixer;
    mixer.addVoice(0, 100, 1000);
    mixer.addVoice(150, 300, 1000);
    mixer.addVoice(50, 50, 1000);
    mixer.addVoice(0, 100, 0);
    EXPECT_EQ(mixer.voiceCount(), 2u);

    mixed(mixer, 0, 100 + ToneTailSamples - 1);
    EXPECT_EQ(mixer.voiceCount(), 2u) << "a voice was dropped before its tail ended";
    mixed(mixer, 100 + ToneTailSamples - 1, 1);
    EXPECT_EQ(mixer.voiceCount(), 1u);

    ToneMixer coming;
    coming.addVoice(150, 300, 1000);
    EXPECT_EQ(mixed(mixer, 200, 100), mixed(coming, 200, 100));
    mixer.clear();
    EXPECT_EQ(mixed(mixer, 200, 100), std::vector<std::int16_t>(100, 0));
}

// One voice summed the slow way into `mix`: every edge a whole band-limited step (a step whose
// width has passed counts in full), rounded as the mixer rounds each voice.
void addSummedSteps(std::vector<std::int32_t>& mix, std::int64_t start, std::int64_t end,
                    std::int64_t milliHz) {
    const auto length = static_cast<double>(end - start);
    const double edgeSamples = SampleRateHz / 2.0 * MilliHzPerHz / static_cast<double>(milliHz);
    std::vector<std::pair<double, double>> edges{{0.0, 1.0}};
    for (double k = 1.0; k * edgeSamples < length; ++k)
        edges.emplace_back(k * edgeSamples, edges.size() % 2 == 1 ? -2.0 : 2.0);
    edges.emplace_back(length, edges.size() % 2 == 1 ? -1.0 : 1.0);
    const auto reach = static_cast<double>(ToneLatencySamples);
    std::size_t passed = 0;
    double passedHeight = 0.0;
    for (std::size_t index = 0; index < mix.size(); ++index) {
        const auto at =
            static_cast<double>(static_cast<std::int64_t>(index) - start - ToneLatencySamples);
        for (; passed < edges.size() && edges[passed].first <= at - reach; ++passed)
            passedHeight += edges[passed].second;
        double value = passedHeight;
        for (std::size_t k = passed; k < edges.size() && edges[k].first < at + reach; ++k)
            value += edges[k].second * bandLimitedStep(at - edges[k].first);
        mix[index] += static_cast<std::int32_t>(std::lround(value * VoiceAmplitude));
    }
}

TEST(ToneMixer, CorrectingOnlyNearEdgesGivesTheWholeStepsOnRandomVoices) {
    std::mt19937 random(20240611);
    const auto draw = [&random](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    };
    for (int trial = 0; trial < 12; ++trial) {
        ToneMixer mixer;
        std::vector<std::int32_t> expected(5000, 0);
        for (std::int64_t voice = draw(1, 4); voice > 0; --voice) {
            const std::int64_t start = draw(0, 2000);
            const std::int64_t end = start + draw(1, 2800);
            // Whole hertz as the editor plays them, or any thousandth of a hertz.
            const std::int64_t milliHz =
                draw(0, 1) == 0 ? draw(20, 8000) * MilliHzPerHz : draw(20000, 8000000);
            mixer.addVoiceMilliHz(start, end, milliHz);
            addSummedSteps(expected, start, end, milliHz);
        }
        std::vector<std::int16_t> samples;
        while (samples.size() < expected.size()) {
            const auto piece = mixed(mixer, static_cast<std::int64_t>(samples.size()),
                                     static_cast<std::size_t>(draw(1, 1500)));
            samples.insert(samples.end(), piece.begin(), piece.end());
        }
        for (std::size_t index = 0; index < expected.size(); ++index)
            ASSERT_NEAR(samples[index], std::clamp(expected[index], -32768, 32767), 1)
                << "trial " << trial << " sample " << index;
    }
}

} // namespace
} // namespace vemo
