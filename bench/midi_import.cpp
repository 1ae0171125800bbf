// Importing a MIDI file of 5,000 notes: reading it through its tempo map and placing the
// chosen voice on the grid, as the editor and `vemo-tool convert` do.

#include "convert/MidiImport.h"

#include <benchmark/benchmark.h>

#include <random>

namespace vemo {
namespace {

constexpr int NoteCount = 5000;

// Notes of one to four sixteenths, now and then a rest, at 120 ms a sixteenth; most of them
// fit the widest grid, the rest are cut.
std::vector<std::uint8_t> fiveThousandNotes() {
    std::mt19937 random(5000u);
    std::uniform_int_distribution<std::int32_t> frequency(60, 4000);
    std::uniform_int_distribution<std::int32_t> columns(1, 4);
    ToneList tones;
    for (int i = 0; i < NoteCount; ++i) {
        if (i % 7 == 6) tones.push_back({0, 1, 120});
        tones.push_back({frequency(random), 0, 120 * columns(random)});
    }
    return writeMidi(tones, 120, "five thousand");
}

void MidiImportOfFiveThousandNotes(benchmark::State& state) {
    const std::vector<std::uint8_t> file = fiveThousandNotes();
    for (auto _ : state) {
        const MidiParse parsed = parseMidi(file);
        MelodyImport imported = importMidi(*parsed.song, {defaultVoice(*parsed.song)});
        benchmark::DoNotOptimize(imported.melody.grid);
    }
    state.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(MidiImportOfFiveThousandNotes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vemo

BENCHMARK_MAIN();
