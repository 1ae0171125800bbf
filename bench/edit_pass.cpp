// One mouse edit on a large melody in a full-HD window: the hit test, the edit with its joins
// and the grid pass that draws it, without the pause that limits the repaint rate.

#include "app/Layout.h"
#include "app/ProgramContext.h"
#include "platform/Beeper.h"
#include "platform/Ids.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MelodyFixture.h"
#include "tests/view/ViewFixture.h"
#include "view/GridPass.h"
#include "view/MouseEditing.h"
#include "view/Redraw.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <thread>

namespace vemo {
namespace {

constexpr std::int32_t ColumnCount = 4096;
constexpr std::int32_t ClientWidth = 1920;
constexpr std::int32_t ClientHeight = 1080;
constexpr std::int32_t ToolbarHeight = 39;
constexpr std::uint32_t MelodySeed = 4096;
constexpr std::int32_t InsetPx = 3;

// Real threads and clock; the grid pass's pause returns at once.
class NoPauseRuntime final : public Runtime {
  public:
    ThreadHandle startThread(std::function<void()> body) override {
        return system_.startThread(std::move(body));
    }
    void sleepMs(std::int32_t) override {}
    std::int64_t nowMs() override { return system_.nowMs(); }

  private:
    SystemRuntime system_;
};

// A random melody scrolled to its middle, in the areas a 1920 x 1080 window gets.
struct EditBench {
    EditBench() {
        beeper->abort(); // previews start and end at once
        test::resetMelody(state.melody, ColumnCount);
        test::startPitch(state.pitch);
        std::mt19937 random(MelodySeed);
        test::fillRandom(state.melody, random);
        state.selection.selectionLast = state.melody.lastColumn;
        View& view = state.view;
        view.horizontalScroll = 0.5;
        view.verticalScroll = 0.5;
        view.verArea = {GridLeft, ToolbarHeight, 1, ScrollBarThickness, {}};
        view.horArea = {1, ToolbarHeight + ScrollBarThickness + AreaGap, ScrollBarThickness, 1, {}};
        view.mainArea = {GridLeft, view.horArea.y, 1, 1, {}};
        ui.windows[WindowId::Main].width = ClientWidth;
        ui.windows[WindowId::Main].height = ClientHeight;
        layoutMainWindow(view, ui);
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, view);
        for (std::int32_t c = 0; c <= state.melody.lastColumn; ++c) {
            const std::int32_t x = state.melody.grid.at(c, 0).x - offsets.scrollX;
            if (x >= 0 && x + state.melody.columnWidth < view.mainArea.width) {
                if (firstVisibleColumn < 0) firstVisibleColumn = c;
                lastVisibleColumn = c;
            }
        }
    }

    // Preview threads are detached and use the state: let the last one finish first.
    ~EditBench() {
        while (state.playback.previewThread.isRunning())
            std::this_thread::yield();
    }

    void pointAt(std::int32_t column, std::int32_t row) {
        const ScrollOffsets offsets = gridScrollOffsets(state.melody, state.view);
        const Cell& cell = state.melody.grid.at(column, row);
        state.view.pointerX = state.view.mainArea.x + cell.x - offsets.scrollX + InsetPx;
        state.view.pointerY = state.view.mainArea.y + cell.y - offsets.scrollY + InsetPx;
        state.view.mouseX = state.view.pointerX - state.view.mainArea.x;
        state.view.mouseY = state.view.pointerY - state.view.mainArea.y;
    }

    std::int32_t columnAfter(std::int32_t column) const {
        return column >= lastVisibleColumn ? firstVisibleColumn : column + 1;
    }

    EditorState state;
    CellBitmaps bitmaps = test::makeBitmaps();
    test::FakeUi ui;
    std::unique_ptr<Beeper> beeper = makeSilentBeeper();
    NoPauseRuntime runtime;
    Platform platform{ui, *beeper, runtime};
    ViewImages images;
    EditorContext editor{state, bitmaps, images, platform};
    std::int32_t firstVisibleColumn = -1;
    std::int32_t lastVisibleColumn = 0;
};

constexpr std::int32_t PaintRow = 50;

// A left-button edit: hit test, note, stroke joins, drawing.
void BM_LeftEditPass(benchmark::State& run) {
    EditBench bench;
    std::int32_t column = bench.firstVisibleColumn;
    for (auto _ : run) {
        bench.pointAt(column, PaintRow);
        gridClick(bench.editor, LeftClick);
        column = bench.columnAfter(column);
        if (column == bench.firstVisibleColumn) bench.state.stroke.strokeFirst = -1;
    }
    benchmark::DoNotOptimize(bench.state.melody.grid.at(column, PaintRow).hasNote);
}
BENCHMARK(BM_LeftEditPass)->Unit(benchmark::kMillisecond);

// The same grid pass without an edit, for comparison.
void BM_PlainGridPass(benchmark::State& run) {
    EditBench bench;
    for (auto _ : run)
        redraw(bench.editor, RedrawMain);
    benchmark::DoNotOptimize(bench.images.main.pixels().data());
}
BENCHMARK(BM_PlainGridPass)->Unit(benchmark::kMillisecond);

// A right-button erase.
void BM_RightEditPass(benchmark::State& run) {
    EditBench bench;
    std::int32_t column = bench.firstVisibleColumn;
    for (auto _ : run) {
        bench.pointAt(column, PaintRow);
        gridClick(bench.editor, RightClick);
        column = bench.columnAfter(column);
    }
    benchmark::DoNotOptimize(bench.state.melody.grid.at(column, PaintRow).hasNote);
}
BENCHMARK(BM_RightEditPass)->Unit(benchmark::kMillisecond);

// A whole drag step as the event loop runs it.
void BM_DragStep(benchmark::State& run) {
    EditBench bench;
    bench.ui.keys[Key::LeftButton] = KeyDownNow;
    std::int32_t column = bench.firstVisibleColumn;
    bench.pointAt(column, PaintRow);
    gridClick(bench.editor, LeftClick);
    for (auto _ : run) {
        column = bench.columnAfter(column);
        if (column == bench.firstVisibleColumn) {
            leftButtonReleased(bench.editor);
            bench.pointAt(column, PaintRow);
            gridClick(bench.editor, LeftClick);
            continue;
        }
        bench.pointAt(column, PaintRow);
        pointerMoved(bench.editor);
    }
    benchmark::DoNotOptimize(bench.state.stroke.strokeLast);
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vemo

BENCHMARK_MAIN();
