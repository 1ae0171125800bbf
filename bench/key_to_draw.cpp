// How long a typed note takes to reach the screen through the real Qt layer: the editor starts on
// real widgets (run it under xvfb-run), key entry goes on, and each key press, a QKeyEvent with
// the X keycode of a note key, is posted to the main window; the clock stops when the grid
// control has been given the new image and has painted it.

#include "app/CommandTable.h"
#include "app/EventLoop.h"
#include "platform/qt/ImageWidget.h"
#include "tests/qt/RealEditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

namespace vemo {
namespace {

// X keycodes of the lower row's Z X C V B N M: a different note in every column.
constexpr std::array<quint32, 7> NoteKeycodes{52, 53, 54, 55, 56, 57, 58};

void BM_KeyPressToGridDrawn(benchmark::State& state) {
    testing_qt::RealEditor real;
    if (!real.startEditor()) {
        state.SkipWithError("the editor did not start");
        return;
    }
    real.ui->showWindow(WindowId::Main, true);
    QWidget* main = real.ui->windowWidget(WindowId::Main);
    if (!QTest::qWaitForWindowActive(main)) {
        state.SkipWithError("the main window never became active");
        return;
    }
    auto* grid = real.control<ImageWidget>(ControlId::MainImage);
    real.ui->drainEvents();
    runCommand(real.editor, CommandId::KeyEntryKey);
    std::vector<double> samplesMs;
    std::size_t press = 0;
    for (auto _ : state) {
        const qint64 before = grid->image().cacheKey();
        const quint32 keycode = NoteKeycodes[press++ % NoteKeycodes.size()];
        const auto start = std::chrono::steady_clock::now();
        QCoreApplication::postEvent(
            main, new QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycode, 0, 0));
        while (grid->image().cacheKey() == before)
            eventStep(real.editor);
        // The widget paints what it was given at the event loop's next turn.
        QCoreApplication::processEvents();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        samplesMs.push_back(elapsed.count() * 1000.0);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, keycode, 0, 0);
        QApplication::sendEvent(main, &release);
    }
    // Every press must have typed its note and moved the cursor on, or nothing was measured.
    if (real.state.entry.cursorColumn != static_cast<std::int32_t>(press)) {
        state.SkipWithError("a key press typed no note");
        return;
    }
    std::sort(samplesMs.begin(), samplesMs.end());
    state.counters["medianMs"] = samplesMs[samplesMs.size() / 2];
    state.counters["worstMs"] = samplesMs.back();
}

BENCHMARK(BM_KeyPressToGridDrawn)->Iterations(100)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
} // namespace vemo

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
