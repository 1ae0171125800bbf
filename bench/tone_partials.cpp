// How clean the beeper's square wave is and what it costs. For each of the 96 row pitches, a
// one-second tone is rendered as `vemo-tool wav` renders it and its spectrum taken with a
// discrete Fourier transform in C++; the worst component that is not an odd harmonic is reported
// relative to the fundamental. A second benchmark reports the CPU time of mixing one voice per
// second of audio.
#include "model/PitchTable.h"
#include "platform/ToneMixer.h"
#include "sound/ToneList.h"
#include "sound/WaveFile.h"
#include "tests/sdl/Partials.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

namespace {

using namespace vemo;

constexpr std::int32_t ToneMs = 1000;

std::vector<std::int32_t> rowFrequencies() {
    Melody melody;
    melody.lastRow = StartOctaveCount * RowsPerOctave - 1;
    Pitch pitch;
    buildPitchTable(pitch, StartOctaveShift, melody.lastRow);
    std::vector<std::int32_t> frequencies;
    for (std::int32_t row = 0; row <= melody.lastRow; ++row)
        frequencies.push_back(rowFrequency(melody, pitch, row));
    return frequencies;
}

// The WAV file's one second of samples.
std::vector<std::int16_t> renderedSecond(std::int32_t frequencyHz) {
    std::vector<std::uint8_t> wave;
    streamWave({{frequencyHz, 0, ToneMs}}, [&wave](std::span<const std::uint8_t> bytes) {
        wave.insert(wave.end(), bytes.begin(), bytes.end());
        return true;
    });
    std::vector<std::int16_t> second(SampleRateHz);
    for (std::size_t index = 0; index < second.size(); ++index) {
        const std::size_t at = WaveHeaderSize + 2 * index;
        second[index] = static_cast<std::int16_t>(wave[at] | (wave[at + 1] << 8));
    }
    return second;
}

void BM_WorstNonHarmonicOverAllPitches(benchmark::State& state) {
    const std::vector<std::int32_t> frequencies = rowFrequencies();
    double worstDb = -1000.0;
    std::int32_t worstHz = 0;
    for (auto _ : state) {
        for (const std::int32_t frequencyHz : frequencies) {
            const double db = worstNonHarmonicDb(renderedSecond(frequencyHz), frequencyHz);
            if (db > worstDb) {
                worstDb = db;
                worstHz = frequencyHz;
            }
        }
    }
    state.counters["pitches"] = static_cast<double>(frequencies.size());
    state.counters["worst_dB"] = worstDb;
    state.counters["worst_at_Hz"] = worstHz;
}

double cpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One voice of an hour, mixed a second at a time in buffers of the live output's size.
void BM_MixOneVoice(benchmark::State& state) {
    constexpr std::int64_t BufferSamples = 512;
    const auto frequencyHz = static_cast<std::int32_t>(state.range(0));
    ToneMixer mixer;
    constexpr std::int64_t HourSamples = std::int64_t{3600} * SampleRateHz;
    mixer.addVoice(0, HourSamples, frequencyHz);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(BufferSamples));
    std::int64_t position = 0;
    const double cpuStart = cpuSeconds();
    for (auto _ : state) {
        for (std::int64_t done = 0; done < SampleRateHz; done += BufferSamples) {
            mixer.mix(samples.data(), samples.size(), position);
            position += BufferSamples;
        }
        benchmark::DoNotOptimize(samples.data());
    }
    const double audioSeconds = static_cast<double>(position) / SampleRateHz;
    state.counters["cpu_ms_per_audio_s"] = (cpuSeconds() - cpuStart) * 1000.0 / audioSeconds;
}

BENCHMARK(BM_WorstNonHarmonicOverAllPitches)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_MixOneVoice)
    ->ArgName("Hz")
    ->Arg(33)
    ->Arg(440)
    ->Arg(7920)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
