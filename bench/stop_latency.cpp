// How fast a stop silences a sounding tone: a long tone plays under a stop flag through SDL's
// disk driver at real-time pace, the flag is set after a varying time, and the samples written
// from the request on are counted up to the last one that still sounds. The request is placed
// on the audio clock itself, so the figure does not depend on how the machine schedules.

#include "platform/ToneMixer.h"
#include "platform/sdl/AudioBeeper.h"
#include "tests/sdl/DiskAudio.h"
#include "tests/sdl/StoppedTone.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace vemo {
namespace {

constexpr std::int32_t FirstRequestMs = 150;
constexpr std::int32_t RequestStepMs = 37; // not a multiple of a buffer

void BM_StopToSilenceOnDiskDriver(benchmark::State& state) {
    const DiskAudio diskAudio("stop-latency");
    double worstMs = 0.0;
    double totalMs = 0.0;
    int runs = 0;
    for (auto _ : state) {
        const std::int64_t requestSample =
            stopLongTone(std::chrono::milliseconds(FirstRequestMs + RequestStepMs * (runs % 8)))
                .requestSample;
        state.PauseTiming();
        const auto samples = diskAudio.samples();
        const auto end = static_cast<std::int64_t>(soundEnd(samples));
        const double afterMs = static_cast<double>(std::max<std::int64_t>(0, end - requestSample)) /
                               static_cast<double>(SamplesPerMs);
        worstMs = std::max(worstMs, afterMs);
        totalMs += afterMs;
        ++runs;
        state.ResumeTiming();
    }
    state.counters["worstStopToSilenceMs"] = worstMs;
    state.counters["meanStopToSilenceMs"] = totalMs / runs;
    state.counters["bufferMs"] = 512.0 / static_cast<double>(SamplesPerMs);
}

BENCHMARK(BM_StopToSilenceOnDiskDriver)
    ->Iterations(16)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace vemo

BENCHMARK_MAIN();
