// vemo-tool's WAV rendering of the largest melody the editor can hold: 4096 columns of 999 ms,
// 68 minutes of sound, into a real file. Reports how many times faster than real time it
// renders and the process's peak memory. For scale, `sox` (when installed) writes a plain square
// wave of the same length in the same run.
#include "model/PitchTable.h"
#include "sound/ToneList.h"
#include "sound/WaveFile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace vemo;

constexpr std::int32_t LongestColumnMs = MaxColumnDuration;
constexpr double KilobytesPerMegabyte = 1024.0;

// A note in every column. Untied, every column is a tone of its own, climbing through the rows
// (the most voices to start and stop); tied, the whole melody is one tone.
ToneList largestMelodyTones(bool tied) {
    Melody melody;
    melody.lastColumn = MaxColumnCount - 1;
    melody.lastRow = StartOctaveCount * RowsPerOctave - 1;
    melody.columnDuration = LongestColumnMs;
    melody.grid = CellGrid(MaxColumnCount, melody.lastRow + 1);
    melody.marks.assign(MaxColumnCount, 0);
    for (std::int32_t c = 0; c < MaxColumnCount; ++c) {
        const std::int32_t row = tied ? 40 : (c * 5) % (melody.lastRow + 1);
        Cell& cell = melody.grid.at(c, row);
        cell.hasNote = 1;
        cell.joinLeft = tied && c > 0 ? 1 : 0;
        cell.joinRight = tied && c < MaxColumnCount - 1 ? 1 : 0;
    }
    Pitch pitch;
    buildPitchTable(pitch, StartOctaveShift, melody.lastRow);
    return buildToneList(melody, pitch, melodyRange(melody, Selection{}));
}

const double SoundSeconds = MaxColumnCount * (LongestColumnMs / 1000.0);

std::string scratchWave() {
    return (std::filesystem::temp_directory_path() /
            ("vemo-wave-bench-" + std::to_string(::getpid()) + ".wav"))
        .string();
}

// User and system time of this process (RUSAGE_SELF) or of its ended children.
double cpuSeconds(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_WaveOfTheLargestMelody(benchmark::State& state) {
    const ToneList tones = largestMelodyTones(state.range(0) != 0);
    const std::string path = scratchWave();
    double renderSeconds = 0.0;
    const double cpuStart = cpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const FileOutcome written = writeWaveFile(path, tones);
        renderSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!written) state.SkipWithError(written.reason.c_str());
    }
    state.counters["cpu_s"] =
        (cpuSeconds(RUSAGE_SELF) - cpuStart) / static_cast<double>(state.iterations());
    std::filesystem::remove(path);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["tones"] = static_cast<double>(tones.size());
    state.counters["realtime_factor"] =
        SoundSeconds * static_cast<double>(state.iterations()) / renderSeconds;
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / KilobytesPerMegabyte;
}

// The same length of 16-bit mono square wave at 440 Hz from `sox`, which neither band-limits it
// nor syncs the file. cpu_s, here and above, is the time spent on a processor, which a busy
// machine does not stretch as it stretches the real time.
void BM_SoxSquareOfTheSameLength(benchmark::State& state) {
    const std::string path = scratchWave();
    const std::string command = "sox -V1 -n -r 48000 -b 16 -c 1 '" + path + "' synth " +
                                std::to_string(SoundSeconds) + " square 440";
    double renderSeconds = 0.0;
    const double cpuStart = cpuSeconds(RUSAGE_CHILDREN);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        renderSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (status != 0) state.SkipWithError("sox did not run; install it to compare");
    }
    std::filesystem::remove(path);
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["realtime_factor"] = SoundSeconds * iterations / renderSeconds;
    state.counters["cpu_s"] = (cpuSeconds(RUSAGE_CHILDREN) - cpuStart) / iterations;
}

BENCHMARK(BM_WaveOfTheLargestMelody)
    ->ArgName("tied")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_SoxSquareOfTheSameLength)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);

} // namespace

BENCHMARK_MAIN();
