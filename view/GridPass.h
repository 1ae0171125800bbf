#pragma once

#include "model/EditorState.h"
#include "platform/Image.h"
#include "view/CellBitmaps.h"

namespace vemo {

// View coordinates = content coordinates - (scrollX, scrollY).
struct ScrollOffsets {
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
};

// Cells closer than this to the view, or inside it, are drawn.
constexpr std::int32_t VisibilityMarginPx = 10;
// Bitmaps of notes held on from the left start this far left of their cell.
constexpr std::int32_t HeldNoteLeadPx = 4;

// Offsets for the current scroll fractions and the size of the grid image. Offsets, ranges and
// view sizes are in pixels of the melody: image pixels divided by the zoom.
ScrollOffsets gridScrollOffsets(const Melody& melody, const View& view);
// The pixels the horizontal and the vertical view position 0.0 … 1.0 span.
double horizontalScrollRange(const Melody& melody, const View& view);
double verticalScrollRange(const Melody& melody, const View& view);

// The width and height of the view in pixels of the melody: the grid image's, unzoomed.
std::int32_t viewWidth(const View& view);
std::int32_t viewHeight(const View& view);

// Whether a cell whose cached top-left corner is (x, y) is drawn in a view of viewWidth x
// viewHeight at these offsets.
bool isCellVisible(std::int32_t x, std::int32_t y, ScrollOffsets offsets, std::int32_t viewWidth,
                   std::int32_t viewHeight);

// The columns [firstColumn, endColumn) and rows [firstRow, endRow) whose cells can be visible:
// cached x grows with the column and y with the row, so they form one block. Each cell in it is
// still tested on its own.
struct VisibleBlock {
    std::int32_t firstColumn = 0;
    std::int32_t endColumn = 0;
    std::int32_t firstRow = 0;
    std::int32_t endRow = 0;
};
VisibleBlock visibleBlock(const Melody& melody, ScrollOffsets offsets, std::int32_t viewWidth,
                          std::int32_t viewHeight);

// The bitmap that shows a cell's note and its joins, and how far left of the cell it starts.
struct CellPicture {
    const Image* bitmap = nullptr;
    std::int32_t leadPx = 0;
};
CellPicture pictureFor(const Cell& cell, const CellBitmaps& bitmaps);

// Paints the grid into the image, which has the grid area's size: background, the selection
// when it is in use, and every visible cell, all scaled by the zoom. Only the columns and rows
// that can be visible are looked at; the picture is the same as testing every cell. Draws only.
void paintGrid(const EditorState& state, const CellBitmaps& bitmaps, Image& image);

} // namespace vemo
