// vemo-tool's WAV rendering of the largest melody the editor can hold: 4096 columns of 999 ms,
// 68 minutes of sound, into a real file. Reports how many times faster than real time it
// renders and the process's peak memory.
#include "model/PitchTable.h"
#include "sound/ToneList.h"
#include "sound/WaveFile.h"

#include <benchmark/benchmark.h>

#include <chrono>
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

void BM_WaveOfTheLargestMelody(benchmark::State& state) {
    const ToneList tones = largestMelodyTones(state.range(0) != 0);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vemo-wave-bench-" + std::to_string(::getpid()) + ".wav"))
                                 .string();
    const double soundSeconds = MaxColumnCount * (LongestColumnMs / 1000.0);
    double renderSeconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const FileOutcome written = writeWaveFile(path, tones);
        renderSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!written) state.SkipWithError(written.reason.c_str());
    }
    std::filesystem::remove(path);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["tones"] = static_cast<double>(tones.size());
    state.counters["realtime_factor"] =
        soundSeconds * static_cast<double>(state.iterations()) / renderSeconds;
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / KilobytesPerMegabyte;
}

BENCHMARK(BM_WaveOfTheLargestMelody)
    ->ArgName("tied")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(2);

} // namespace

BENCHMARK_MAIN();
