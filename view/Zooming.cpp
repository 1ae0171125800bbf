#include "view/Zooming.h"

#include "view/GridPass.h"
#include "view/HitTest.h"
#include "view/PixelScale.h"
#include "view/Redraw.h"

#include <algorithm>

namespace vemo {

namespace {

// The view position that scrolls the view by scrollPx; the old one when the range is empty.
double fractionFor(double scrollPx, double rangePx, double oldFraction) {
    if (rangePx == 0.0) return oldFraction;
    return std::clamp(scrollPx / rangePx, 0.0, 1.0);
}

// anchorX and anchorY are image pixels from the grid image's top-left corner.
void zoomAround(EditorContext& editor, std::int32_t steps, std::int32_t anchorX,
                std::int32_t anchorY) {
    View& view = editor.state.view;
    const Melody& melody = editor.state.melody;
    const std::int32_t zoom = std::clamp(view.zoom + steps, MinZoom, MaxZoom);
    if (zoom == view.zoom) return;
    const ScrollOffsets before = gridScrollOffsets(melody, view);
    const std::int32_t anchoredX = before.scrollX + unzoomed(anchorX, view.zoom);
    const std::int32_t anchoredY = before.scrollY + unzoomed(anchorY, view.zoom);
    view.zoom = zoom;
    view.horizontalScroll = fractionFor(anchoredX - unzoomed(anchorX, zoom),
                                        horizontalScrollRange(melody, view), view.horizontalScroll);
    view.verticalScroll = fractionFor(anchoredY - unzoomed(anchorY, zoom),
                                      verticalScrollRange(melody, view), view.verticalScroll);
    redraw(editor, RedrawVer + RedrawHor + RedrawMain);
}

} // namespace

void zoomAtPointer(EditorContext& editor, std::int32_t steps) {
    const View& view = editor.state.view;
    if (!isPointerOnGrid(view)) {
        zoomAtCentre(editor, steps);
        return;
    }
    const Point anchor = pointerOnGridImage(view);
    zoomAround(editor, steps, anchor.x, anchor.y);
}

void zoomAtCentre(EditorContext& editor, std::int32_t steps) {
    const ImageArea& grid = editor.state.view.mainArea;
    zoomAround(editor, steps, grid.imageWidth / 2, grid.imageHeight / 2);
}

} // namespace vemo
