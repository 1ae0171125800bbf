#include "sound/WaveFile.h"

#include "platform/ToneMixer.h"

#include <algorithm>
#include <vector>

namespace vemo {

namespace {

constexpr std::uint32_t BytesPerSample = 2;
constexpr std::uint16_t PcmFormat = 1;
constexpr std::uint16_t MonoChannels = 1;
constexpr std::uint16_t BitsPerSample = 16;
constexpr std::uint32_t FormatChunkSize = 16;
// RIFF size field: everything after it, that is the header without its first 8 bytes.
constexpr std::uint32_t RiffSizeBeyondData = WaveHeaderSize - 8;

void putLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putText(std::vector<std::uint8_t>& bytes, const char (&four)[5]) {
    bytes.insert(bytes.end(), four, four + 4);
}

std::int64_t sampleCountOf(const ToneList& tones) {
    std::int64_t count = 0;
    for (const ToneEvent& event : tones)
        count += std::int64_t{event.duration} * SamplesPerMs;
    return count;
}

// The largest melody, 4096 columns of 999 ms, is about 393 MB of samples: well inside the
// 32-bit sizes of the format.
std::vector<std::uint8_t> waveHeader(std::int64_t sampleCount) {
    const auto dataBytes = static_cast<std::uint32_t>(sampleCount * BytesPerSample);
    std::vector<std::uint8_t> header;
    putText(header, "RIFF");
    putLittleEndian(header, RiffSizeBeyondData + dataBytes, 4);
    putText(header, "WAVE");
    putText(header, "fmt ");
    putLittleEndian(header, FormatChunkSize, 4);
    putLittleEndian(header, PcmFormat, 2);
    putLittleEndian(header, MonoChannels, 2);
    putLittleEndian(header, SampleRateHz, 4);
    putLittleEndian(header, SampleRateHz * BytesPerSample, 4);
    putLittleEndian(header, MonoChannels * BytesPerSample, 2);
    putLittleEndian(header, BitsPerSample, 2);
    putText(header, "data");
    putLittleEndian(header, dataBytes, 4);
    return header;
}

} // namespace

bool streamWave(const ToneList& tones, const ByteSink& sink, std::size_t blockSamples) {
    if (!sink(waveHeader(sampleCountOf(tones)))) return false;
    std::vector<std::int16_t> samples(blockSamples);
    std::vector<std::uint8_t> bytes(blockSamples * BytesPerSample);
    std::size_t filled = 0;
    const auto flush = [&] {
        for (std::size_t i = 0; i < filled; ++i) {
            const auto bits = static_cast<std::uint16_t>(samples[i]);
            bytes[2 * i] = static_cast<std::uint8_t>(bits);
            bytes[2 * i + 1] = static_cast<std::uint8_t>(bits >> 8);
        }
        const bool taken = sink(std::span(bytes.data(), filled * BytesPerSample));
        filled = 0;
        return taken;
    };
    // The file is the mix advanced by the mixer's latency: every edge lies on its own sample and
    // the file lasts exactly as long as the melody; only the ringing before the first onset and
    // after the last release falls outside. A voice sounds nothing up to its start, so adding
    // each as its turn comes, before the samples that hear it, is in time.
    ToneMixer mixer;
    std::int64_t position = 0;
    const auto renderUpTo = [&](std::int64_t end) {
        while (position < end) {
            const auto count = static_cast<std::size_t>(std::min<std::int64_t>(
                end - position, static_cast<std::int64_t>(blockSamples - filled)));
            mixer.mix(samples.data() + filled, count, position + ToneLatencySamples);
            filled += count;
            position += static_cast<std::int64_t>(count);
            if (filled == blockSamples && !flush()) return false;
        }
        return true;
    };
    std::int64_t eventStart = 0;
    for (const ToneEvent& event : tones) {
        const std::int64_t length = std::int64_t{event.duration} * SamplesPerMs;
        if (event.isRest == 0)
            mixer.addVoiceMilliHz(eventStart, eventStart + length,
                                  std::int64_t{event.frequency} * MilliHzPerHz +
                                      event.extraMilliHz);
        eventStart += length;
        if (!renderUpTo(eventStart - ToneLatencySamples)) return false;
    }
    if (!renderUpTo(eventStart)) return false;
    return filled == 0 || flush();
}

FileOutcome writeWaveFile(const std::string& path, const ToneList& tones) {
    ReplacingFile file(path);
    if (!file.outcome()) return file.outcome();
    streamWave(tones, [&file](std::span<const std::uint8_t> bytes) { return file.write(bytes); });
    return file.commit();
}

} // namespace vemo
