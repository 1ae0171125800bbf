// Undo and redo on the widest melody: how long one undo or redo of each kind of step takes
// (the melody brought back, without the redraw), and how much memory a long history of single
// notes holds.

#include "model/Clipboard.h"
#include "model/Columns.h"
#include "model/EditorState.h"
#include "model/Geometry.h"
#include "model/History.h"
#include "model/Joins.h"
#include "model/Marks.h"
#include "model/NewMelody.h"
#include "tests/support/MelodyFixture.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <random>

namespace vemo {
namespace {

constexpr std::int32_t WidestColumns = MaxColumnCount;
constexpr int SingleNoteSteps = 1000;

// A note in every column of the widest melody.
std::unique_ptr<EditorState> fullMelody(std::uint32_t seed) {
    auto state = std::make_unique<EditorState>();
    test::resetMelody(state->melody, WidestColumns);
    std::mt19937 random(seed);
    test::fillRandom(state->melody, random, 1.0);
    state->clipboard = {CellGrid(WidestColumns, state->melody.lastRow + 1),
                        ColumnMarks(WidestColumns, 0), 0, 0};
    state->selection = {0, 0, WidestColumns - 1, 0, 0};
    state->shell.fileName = "/tunes/wide.vemo";
    return state;
}

void setNote(Melody& melody, std::int32_t column, std::int32_t row) {
    eraseColumn(melody, column);
    melody.grid.at(column, row).hasNote = 1;
}

// Makes one step of a kind, then undoes and redoes it over and over.
void measureStep(benchmark::State& bench, const std::function<void(EditorState&)>& edit) {
    auto state = fullMelody(7);
    History history;
    history.reset(*state, "wide");
    edit(*state);
    history.commit(*state, "after", "step", 0);
    for (auto _ : bench) {
        history.undo(*state);
        history.redo(*state);
    }
    // Each iteration is one undo and one redo.
    bench.counters["perUndoOrRedo"] = benchmark::Counter(
        2.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_SingleNote(benchmark::State& bench) {
    measureStep(bench, [](EditorState& state) { setNote(state.melody, 2000, 10); });
}

void BM_DeleteColumnZero(benchmark::State& bench) {
    measureStep(bench, [](EditorState& state) { deleteColumn(state.melody, state.selection, 0); });
}

void BM_NewMelodyNarrower(benchmark::State& bench) {
    measureStep(bench, [](EditorState& state) {
        setNewDimensions(state.melody, MinColumnCount, 4, 4);
        startEmptyMelody(state);
    });
}

void BM_LoadOfAnotherWideMelody(benchmark::State& bench) {
    measureStep(bench, [](EditorState& state) {
        const auto other = fullMelody(8);
        state.melody = other->melody;
        state.shell.fileName = "/tunes/other.vemo";
    });
}

void BM_ThousandSingleNoteSteps(benchmark::State& bench) {
    std::size_t bytes = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto state = fullMelody(9);
        History history;
        history.reset(*state, "wide");
        std::mt19937 random(3);
        std::uniform_int_distribution<std::int32_t> anyColumn(0, WidestColumns - 1);
        std::uniform_int_distribution<std::int32_t> anyRow(0, 95);
        bench.ResumeTiming();
        for (int step = 0; step < SingleNoteSteps; ++step) {
            setNote(state->melody, anyColumn(random), anyRow(random));
            history.commit(*state, "wide", "notes", step * 2000);
        }
        bytes = history.memoryBytes();
    }
    bench.counters["historyMB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    bench.counters["perCommit"] =
        benchmark::Counter(SingleNoteSteps, benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
}

BENCHMARK(BM_SingleNote)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteColumnZero)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewMelodyNarrower)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadOfAnotherWideMelody)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThousandSingleNoteSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace vemo

BENCHMARK_MAIN();
