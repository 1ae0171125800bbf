#include "platform/ToneMixer.h"

#include "tests/sdl/DiskAudio.h"

#include <gtest/gtest.h>

#include <vector>

namespace vemo {
namespace {

std::vector<std::int16_t> mixed(ToneMixer& mixer, std::int64_t firstSample, std::size_t count) {
    std::vector<std::int16_t> samples(count, 1);
    mixer.mix(samples.data(), samples.size(), firstSample);
    return samples;
}

TEST(ToneMixer, SoundsASquareWaveOnlyInsideTheVoice) {
    ToneMixer mixer;
    constexpr std::int64_t Start = 1000;
    const std::vector<std::int16_t> wave = idealSquare(1000, 10);
    mixer.addVoice(Start, Start + static_cast<std::int64_t>(wave.size()), 1000);

    const auto samples = mixed(mixer, 900, 700);
    for (std::size_t index = 0; index < 100; ++index)
        ASSERT_EQ(samples[index], 0) << index;
    for (std::size_t index = 0; index < wave.size(); ++index) {
        ASSERT_EQ(samples[100 + index], wave[index]) << index;
    }
    for (std::size_t index = 100 + wave.size(); index < samples.size(); ++index) {
        ASSERT_EQ(samples[index], 0) << index;
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
    ToneMixer mixer;
    mixer.addVoice(0, 100, 1000);
    mixer.addVoice(0, 100, 1000);
    EXPECT_EQ(mixed(mixer, 0, 1)[0], 2 * VoiceAmplitude);

    constexpr int CrowdSize = 5;
    ToneMixer crowd;
    for (int voice = 0; voice < CrowdSize; ++voice)
        crowd.addVoice(0, 100, 1000);
    const auto samples = mixed(crowd, 0, 48);
    EXPECT_EQ(samples.front(), 32767);
    EXPECT_EQ(samples.back(), -32768);
}

TEST(ToneMixer, DropsEndedVoicesAndKeepsComingOnes) {
    ToneMixer mixer;
    mixer.addVoice(0, 100, 1000);
    mixer.addVoice(150, 300, 1000);
    mixer.addVoice(50, 50, 1000);
    mixer.addVoice(0, 100, 0);
    EXPECT_EQ(mixer.voiceCount(), 2u);

    mixed(mixer, 0, 100);
    EXPECT_EQ(mixer.voiceCount(), 1u);
    EXPECT_EQ(mixed(mixer, 100, 100)[50], VoiceAmplitude);
    mixer.clear();
    EXPECT_EQ(mixed(mixer, 200, 10)[0], 0);
}

} // namespace
} // namespace vemo
