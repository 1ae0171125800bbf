#include "view/HitTest.h"

#include "view/GridPass.h"
#include "view/PixelScale.h"

namespace vemo {

bool isPointerOnGrid(const View& view) {
    const ImageArea& grid = view.mainArea;
    return grid.x <= view.pointerX && view.pointerX < grid.x + grid.width &&
           grid.y <= view.pointerY && view.pointerY < grid.y + grid.height;
}

Point pointerOnGridImage(const View& view) {
    return {imagePixels(view.pointerX - view.mainArea.x, view.devicePixelRatio),
            imagePixels(view.pointerY - view.mainArea.y, view.devicePixelRatio)};
}

Point pointerOnGrid(const View& view) {
    const Point onImage = pointerOnGridImage(view);
    return {unzoomed(onImage.x, view.zoom), unzoomed(onImage.y, view.zoom)};
}

std::optional<GridCell> cellAt(const EditorState& state, Point point) {
    const Melody& melody = state.melody;
    const ScrollOffsets offsets = gridScrollOffsets(melody, state.view);
    const std::int32_t width = viewWidth(state.view);
    const std::int32_t height = viewHeight(state.view);
    const VisibleBlock block = visibleBlock(melody, offsets, width, height);
    for (std::int32_t c = block.firstColumn; c < block.endColumn; ++c) {
        const std::int32_t x = melody.grid.at(c, 0).x - offsets.scrollX;
        if (point.x < x - melody.marks[c] || point.x >= x + melody.columnWidth) continue;
        for (std::int32_t r = block.firstRow; r < block.endRow; ++r) {
            const Cell& cell = melody.grid.at(c, r);
            const std::int32_t top = cell.y - offsets.scrollY;
            if (point.y >= top && point.y < top + melody.rowHeight &&
                isCellVisible(cell.x, cell.y, offsets, width, height))
                return GridCell{c, r};
        }
    }
    return std::nullopt;
}

} // namespace vemo
