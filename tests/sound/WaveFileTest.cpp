#include "sound/WaveFile.h"

#include "platform/ToneMixer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vemo {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t u32At(const Bytes& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

// Tones and rests of odd lengths, so that events start and end inside blocks and across them.
const ToneList Tones = {{440, 0, 3}, {0, 1, 2}, {297, 0, 7}, {1000, 0, 1}, {0, 1, 1}, {264, 0, 5}};

TEST(WaveFile, StreamedBlocksAreTheWholeMixSampleForSample) {
    // The reference: every tone placed on one mixer and mixed in one go, read from the mixer's
    // latency on so that each onset lies on its own sample.
    ToneMixer whole;
    std::int64_t position = 0;
    for (const ToneEvent& event : Tones) {
        const std::int64_t length = std::int64_t{event.duration} * SamplesPerMs;
        if (event.isRest == 0) whole.addVoice(position, position + length, event.frequency);
        position += length;
    }
    std::vector<std::int16_t> expected(static_cast<std::size_t>(position));
    whole.mix(expected.data(), expected.size(), ToneLatencySamples);

    for (std::size_t block : {std::size_t{7}, std::size_t{48}, WaveBlockSamples}) {
        SCOPED_TRACE("block of " + std::to_string(block));
        Bytes wave;
        std::size_t largestWrite = 0;
        ASSERT_TRUE(streamWave(
            Tones,
            [&](std::span<const std::uint8_t> bytes) {
                wave.insert(wave.end(), bytes.begin(), bytes.end());
                largestWrite = std::max(largestWrite, bytes.size());
                return true;
            },
            block));
        EXPECT_LE(largestWrite, std::max<std::size_t>(WaveHeaderSize, 2 * block));
        ASSERT_EQ(wave.size(), WaveHeaderSize + 2 * expected.size());
        EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
        EXPECT_EQ(u32At(wave, 4), 36 + 2 * expected.size());
        EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(u32At(wave, 24), 48000u);
        EXPECT_EQ(std::string(wave.begin() + 36, wave.begin() + 40), "data");
        EXPECT_EQ(u32At(wave, 40), 2 * expected.size());
        std::vector<std::int16_t> samples(expected.size());
        std::memcpy(samples.data(), wave.data() + WaveHeaderSize, 2 * samples.size());
        EXPECT_EQ(samples, expected);
    }
}

TEST(WaveFile, PitchesBetweenWholeHertzKeepTheirThousandths) {
    ToneMixer mixer;
    mixer.addVoiceMilliHz(0, 20 * SamplesPerMs, 440'141);
    std::vector<std::int16_t> expected(20 * SamplesPerMs);
    mixer.mix(expected.data(), expected.size(), ToneLatencySamples);

    Bytes wave;
    streamWave({{440, 0, 20, 141}}, [&wave](std::span<const std::uint8_t> bytes) {
        wave.insert(wave.end(), bytes.begin(), bytes.end());
        return true;
    });
    ASSERT_EQ(wave.size(), WaveHeaderSize + 2 * expected.size());
    EXPECT_EQ(std::memcmp(wave.data() + WaveHeaderSize, expected.data(), 2 * expected.size()), 0);
}

TEST(WaveFile, RefusedBlockStopsTheRenderingAndLeavesNoFile) {
    int blocks = 0;
    EXPECT_FALSE(streamWave(
        Tones, [&](std::span<const std::uint8_t>) { return ++blocks < 3; }, 16));
    EXPECT_EQ(blocks, 3);

    test::TempFolder folder;
    const FileOutcome written = writeWaveFile(folder.file("none/out.wav"), Tones);
    EXPECT_FALSE(written);
    EXPECT_EQ(written.reason, "the folder does not exist; choose an existing folder");
    EXPECT_TRUE(folder.entries().empty());
}

} // namespace
} // namespace vemo
