// One grid pass (no pause, nothing shown) over the widest melody in a full-HD grid image, and
// one at the largest zoom in a 4K grid image.
#include "model/EditorState.h"
#include "model/Geometry.h"
#include "model/Marks.h"
#include "view/GridPass.h"
#include "view/HitTest.h"
#include "view/PixelScale.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vemo;

constexpr std::int32_t ColumnCount = MaxColumnCount;
constexpr std::int32_t GridWidthPx = 1920;
constexpr std::int32_t GridHeightPx = 1080;
constexpr std::int32_t WideGridWidthPx = 3840;
constexpr std::int32_t WideGridHeightPx = 2160;

CellBitmaps benchBitmaps() {
    return {Image(11, 7, rgb(0x30, 0x40, 0xB0)), Image(11, 7, rgb(0xF0, 0xE0, 0x40)),
            Image(15, 7, rgb(0xF0, 0xC0, 0x40)), Image(15, 7, rgb(0xF0, 0xA0, 0x40)),
            Image(11, 7, rgb(0xF0, 0xD0, 0x40))};
}

// A note in every column, climbing through the rows, every other pair tied.
void prepareMelody(EditorState& state, std::int32_t widthPx = GridWidthPx,
                   std::int32_t heightPx = GridHeightPx) {
    Melody& melody = state.melody;
    melody.lastColumn = ColumnCount - 1;
    melody.lastRow = StartOctaveCount * RowsPerOctave - 1;
    melody.smallBlock = StartBlockSize;
    melody.largeBlock = StartBlockSize;
    melody.columnWidth = 12;
    melody.rowHeight = 8;
    melody.grid = CellGrid(ColumnCount, melody.lastRow + 1);
    melody.marks.assign(ColumnCount, 0);
    computeMarks(melody);
    computeGeometry(melody);
    for (std::int32_t c = 0; c < ColumnCount; ++c) {
        const std::int32_t row = (c / 2 * 5) % (melody.lastRow + 1);
        Cell& cell = melody.grid.at(c, row);
        cell.hasNote = 1;
        if (c % 2 == 0)
            cell.joinRight = 1;
        else
            cell.joinLeft = 1;
    }
    state.selection.selectionActive = 1;
    state.selection.selectionFirst = 0;
    state.selection.selectionLast = melody.lastColumn;
    updateSelectionEdges(melody, state.selection);
    state.view.mainArea.imageWidth = widthPx;
    state.view.mainArea.imageHeight = heightPx;
    state.view.verticalScroll = 0.5;
}

void gridPass(benchmark::State& bench, double horizontalScroll, std::int32_t zoom = 1,
              std::int32_t widthPx = GridWidthPx, std::int32_t heightPx = GridHeightPx) {
    EditorState state;
    prepareMelody(state, widthPx, heightPx);
    state.view.zoom = zoom;
    state.view.horizontalScroll = horizontalScroll;
    const CellBitmaps bitmaps = benchBitmaps();
    Image image(widthPx, heightPx);
    for (auto _ : bench) {
        paintGrid(state, bitmaps, image);
        benchmark::DoNotOptimize(image.pixels().data());
        benchmark::ClobberMemory();
    }
}

// The hit test of a mouse edit: the cell under a point in the middle of the grid.
void hitTest(benchmark::State& bench) {
    EditorState state;
    prepareMelody(state);
    state.view.horizontalScroll = 0.5;
    const Point middle{GridWidthPx / 2, GridHeightPx / 2};
    for (auto _ : bench) {
        std::optional<GridCell> cell = cellAt(state, middle);
        benchmark::DoNotOptimize(cell);
    }
}

} // namespace

BENCHMARK_CAPTURE(gridPass, start, 0.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(gridPass, middle, 0.5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(gridPass, end, 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK(hitTest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(gridPass, zoom4_3840x2160, 0.5, MaxZoom, WideGridWidthPx, WideGridHeightPx)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
