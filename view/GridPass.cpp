#include "view/GridPass.h"

#include "model/Geometry.h"
#include "view/Colours.h"
#include "view/PixelScale.h"
#include "view/Rounding.h"

#include <algorithm>
#include <ranges>

namespace vemo {

namespace {

// The scroll range runs from the content's left edge to this far past its right edge.
constexpr std::int32_t RightSlackPx = 10;
// The vertical range leaves this much room below the last row.
constexpr std::int32_t BottomSlackPx = 27;
// Both ranges are widened by this much past the content's start.
constexpr std::int32_t RangePadPx = 5;

// First index in [0, count) for which the non-decreasing edge(index) passes the bound; count
// when none does.
template <typename Edge, typename Passes>
std::int32_t firstPassing(std::int32_t count, Edge edge, Passes passes) {
    const auto indices = std::views::iota(std::int32_t{0}, count);
    return *std::ranges::partition_point(indices, [&](std::int32_t i) { return !passes(edge(i)); });
}

} // namespace

std::int32_t viewWidth(const View& view) {
    return unzoomedLength(view.mainArea.imageWidth, view.zoom);
}

std::int32_t viewHeight(const View& view) {
    return unzoomedLength(view.mainArea.imageHeight, view.zoom);
}

double horizontalScrollRange(const Melody& melody, const View& view) {
    return static_cast<double>(melody.lastColumn) * melody.columnWidth + melody.markTotal +
           melody.columnWidth - (viewWidth(view) - RightSlackPx) + RangePadPx;
}

double verticalScrollRange(const Melody& melody, const View& view) {
    return static_cast<double>(melody.lastRow) * melody.rowHeight +
           (melody.lastRow / RowsPerOctave) * OctaveGap - (viewHeight(view) - BottomSlackPx) +
           RangePadPx;
}

ScrollOffsets gridScrollOffsets(const Melody& melody, const View& view) {
    return {roundHalfToEven(horizontalScrollRange(melody, view) * view.horizontalScroll),
            roundHalfToEven(verticalScrollRange(melody, view) * view.verticalScroll)};
}

bool isCellVisible(std::int32_t x, std::int32_t y, ScrollOffsets offsets, std::int32_t viewWidth,
                   std::int32_t viewHeight) {
    // 64-bit: the bounds must not wrap for any offsets.
    const std::int64_t left = std::int64_t{offsets.scrollX} - VisibilityMarginPx;
    const std::int64_t right = std::int64_t{offsets.scrollX} + viewWidth + VisibilityMarginPx;
    const std::int64_t top = std::int64_t{offsets.scrollY} - VisibilityMarginPx;
    const std::int64_t bottom = std::int64_t{offsets.scrollY} + viewHeight + VisibilityMarginPx;
    return x > left && x < right && y > top && y < bottom;
}

VisibleBlock visibleBlock(const Melody& melody, ScrollOffsets offsets, std::int32_t viewWidth,
                          std::int32_t viewHeight) {
    const std::int32_t columnCount = melody.grid.columnCount();
    const std::int32_t rowCount = melody.grid.rowCount();
    if (columnCount == 0 || rowCount == 0) return {};
    const std::int64_t leftBound = std::int64_t{offsets.scrollX} - VisibilityMarginPx;
    const std::int64_t rightBound = std::int64_t{offsets.scrollX} + viewWidth + VisibilityMarginPx;
    const std::int64_t topBound = std::int64_t{offsets.scrollY} - VisibilityMarginPx;
    const std::int64_t bottomBound =
        std::int64_t{offsets.scrollY} + viewHeight + VisibilityMarginPx;
    const auto columnX = [&](std::int32_t c) { return std::int64_t{melody.grid.at(c, 0).x}; };
    const auto rowTop = [&](std::int32_t r) { return std::int64_t{melody.grid.at(0, r).y}; };
    return {firstPassing(columnCount, columnX, [&](std::int64_t x) { return x > leftBound; }),
            firstPassing(columnCount, columnX, [&](std::int64_t x) { return x >= rightBound; }),
            firstPassing(rowCount, rowTop, [&](std::int64_t y) { return y > topBound; }),
            firstPassing(rowCount, rowTop, [&](std::int64_t y) { return y >= bottomBound; })};
}

CellPicture pictureFor(const Cell& cell, const CellBitmaps& bitmaps) {
    if (cell.hasNote == 0) return {&bitmaps.img01, 0};
    const bool heldFromLeft = cell.joinLeft != 0;
    const bool heldIntoRight = cell.joinRight != 0;
    if (heldFromLeft && heldIntoRight) return {&bitmaps.img02LR, HeldNoteLeadPx};
    if (heldFromLeft) return {&bitmaps.img02L, HeldNoteLeadPx};
    if (heldIntoRight) return {&bitmaps.img02R, 0};
    return {&bitmaps.img02, 0};
}

namespace {

// The grid at zoom 1 into an image of the unzoomed view size.
void paintUnzoomed(const EditorState& state, const CellBitmaps& bitmaps, Image& image) {
    const Melody& melody = state.melody;
    const Selection& selection = state.selection;
    const std::int32_t width = image.width();
    const std::int32_t height = image.height();
    const ScrollOffsets offsets = gridScrollOffsets(melody, state.view);

    image.fillRect(0, 0, width, height, colours::GridBackground);
    if (selection.selectionActive != 0) {
        const std::int32_t leftX = selection.selectionLeftX - offsets.scrollX;
        const std::int32_t rightX = selection.selectionRightX - offsets.scrollX;
        image.fillRect(leftX, 0, rightX - leftX, height, colours::SelectionFill);
        image.verticalLine(leftX, colours::SelectionLeftEdge);
        image.verticalLine(rightX, colours::SelectionRightEdge);
    }

    const VisibleBlock block = visibleBlock(melody, offsets, width, height);
    for (std::int32_t c = block.firstColumn; c < block.endColumn; ++c) {
        for (std::int32_t r = block.firstRow; r < block.endRow; ++r) {
            const Cell& cell = melody.grid.at(c, r);
            if (!isCellVisible(cell.x, cell.y, offsets, width, height)) continue;
            const CellPicture picture = pictureFor(cell, bitmaps);
            image.blit(*picture.bitmap, cell.x - offsets.scrollX - picture.leadPx,
                       cell.y - offsets.scrollY);
        }
    }
}

} // namespace

void paintGrid(const EditorState& state, const CellBitmaps& bitmaps, Image& image) {
    paintZoomed(image, state.view.zoom,
                [&](Image& unzoomed) { paintUnzoomed(state, bitmaps, unzoomed); });
}

} // namespace vemo
