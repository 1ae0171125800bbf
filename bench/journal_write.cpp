// What the recovery journal costs on the widest melody: the time the history's commit of one
// step takes with the journal writing it (the part of a pass the journal adds is the difference
// from the same commit without it), for a single note and for a change of every column, the
// time of the sync that follows within a second, and the journal's size after 1,000 single-note
// steps.

#include "model/Columns.h"
#include "model/EditorState.h"
#include "platform/JournalFile.h"
#include "store/JournalWriter.h"
#include "tests/support/MelodyFixture.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

#include <unistd.h>

namespace vemo {
namespace {

std::string scratchJournal() {
    return (std::filesystem::temp_directory_path() /
            ("vemo-journal-bench-" + std::to_string(::getpid()) + ".journal"))
        .string();
}

struct Journalled {
    explicit Journalled(bool isWritten) : file(scratchJournal()), writer(file) {
        test::resetMelody(state.melody, MaxColumnCount);
        std::mt19937 random(3);
        test::fillRandom(state.melody, random, 1.0);
        if (isWritten)
            state.history.setChangeListener([this](const MelodyChange& change) {
                change.isWhole ? writer.begin({}, change, now) : writer.add(change, now);
            });
        state.history.reset(state, "vemo");
    }
    ~Journalled() { std::filesystem::remove(scratchJournal()); }
    EditorState state;
    JournalFile file;
    JournalWriter writer;
    std::int64_t now = 0;
};

// One note moved a row each step; arg 1: journalled.
void BM_SingleNoteStep(benchmark::State& bench) {
    Journalled j(bench.range(0) == 1);
    std::int32_t step = 0;
    for (auto _ : bench) {
        const std::int32_t column = step % MaxColumnCount;
        test::setNote(j.state.melody, column, 0);
        j.state.melody.grid.at(column, 0).hasNote = step % 2;
        j.state.history.commit(j.state, "vemo", "edit", ++j.now);
        ++step;
    }
    bench.counters["journal_kB"] = double(j.writer.size()) / 1024.0;
}
BENCHMARK(BM_SingleNoteStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// An inserted column: every column of the widest melody changes (the last one falls off).
void BM_EveryColumnStep(benchmark::State& bench) {
    Journalled j(bench.range(0) == 1);
    for (auto _ : bench) {
        insertColumn(j.state.melody, j.state.selection, 0);
        j.state.history.commit(j.state, "vemo", "insert column", ++j.now);
    }
}
BENCHMARK(BM_EveryColumnStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The writer alone: one record of a single note, or of every column, handed to the kernel.
void BM_WriterAdd(benchmark::State& bench) {
    Journalled j(true);
    MelodyChange change = wholeMelody(j.state, "vemo");
    change.isWhole = false;
    change.name = "edit";
    if (bench.range(0) == 1) {
        change.firstColumn = 7;
        change.notes.resize(1);
        change.marks.resize(1);
    }
    for (auto _ : bench)
        j.writer.add(change, j.now);
}
BENCHMARK(BM_WriterAdd)->Arg(1)->Arg(MaxColumnCount)->Unit(benchmark::kMicrosecond);

// The sync a second after a change, as the editor's pass makes it.
void BM_SyncAfterAStep(benchmark::State& bench) {
    Journalled j(true);
    for (auto _ : bench) {
        bench.PauseTiming();
        test::setNote(j.state.melody, 5, int(j.now % 90));
        j.state.history.commit(j.state, "vemo", "edit", j.now);
        j.now += JournalWriter::SyncDelayMs;
        bench.ResumeTiming();
        j.writer.tick(j.now);
    }
}
BENCHMARK(BM_SyncAfterAStep)->Unit(benchmark::kMicrosecond)->Iterations(50);

// The journal after 1,000 single-note steps.
void BM_SizeAfterThousandSteps(benchmark::State& bench) {
    for (auto _ : bench) {
        Journalled j(true);
        for (std::int32_t step = 0; step < 1000; ++step) {
            test::setNote(j.state.melody, step, step % 90);
            j.state.history.commit(j.state, "vemo", "edit", ++j.now);
        }
        bench.counters["journal_kB"] = double(j.writer.size()) / 1024.0;
        bench.counters["whole_melody_kB"] =
            double(encodeJournalRecord({0, wholeMelody(j.state, "vemo")}).size()) / 1024.0;
    }
}
BENCHMARK(BM_SizeAfterThousandSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vemo

BENCHMARK_MAIN();
