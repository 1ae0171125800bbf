#include "view/Scrolling.h"

#include "view/GridPass.h"
#include "view/KeyQueries.h"
#include "view/PixelScale.h"
#include "view/Redraw.h"
#include "view/ScrollBars.h"

#include <algorithm>

namespace vemo {

namespace {

constexpr std::int32_t PointerOutside = -1;

bool isPointerStrictlyInsideGrid(const View& view) {
    const ImageArea& grid = view.mainArea;
    return grid.x < view.pointerX && view.pointerX < grid.x + grid.width &&
           grid.y < view.pointerY && view.pointerY < grid.y + grid.height;
}

// Where a pointer coordinate falls on a bar, as a fraction; negative when beyond either end.
double fractionAlongBar(std::int32_t pointer, std::int32_t barStart, std::int32_t barLength,
                        double rangePx, double viewPx) {
    if (pointer < barStart || pointer >= barStart + barLength) return -1.0;
    return barFraction(pointer - barStart, barLength, rangePx, viewPx);
}

} // namespace

double barFraction(std::int32_t px, std::int32_t lengthPx, double rangePx, double viewPx) {
    const auto at = [lengthPx](std::int32_t p) { return static_cast<double>(p) / lengthPx; };
    if (px < SnapZonePx && at(px + 1) * rangePx <= viewPx) return 0.0;
    if (px > lengthPx - 1 - SnapZonePx && (1.0 - at(px - 1)) * rangePx <= viewPx) return 1.0;
    return at(px);
}

void switchPanMode(EditorContext& editor) {
    View& view = editor.state.view;
    Ui& ui = editor.platform.ui;
    const bool panKeyDown = isDownNow(ui, Key::M) || isDownNow(ui, Key::MiddleButton);
    if (view.panning == 0 && panKeyDown) {
        view.panning = 1;
        // A new pan starts from where the pointer is now, so it never jumps.
        view.panAnchorX = view.pointerX;
        view.panAnchorY = view.pointerY;
    } else if (view.panning != 0 && !panKeyDown) {
        view.panning = 0;
    }
}

void scrollBarDragStep(EditorContext& editor) {
    View& view = editor.state.view;
    const Melody& melody = editor.state.melody;
    if (view.hScrollDrag != 0) {
        const double fraction =
            fractionAlongBar(view.pointerX, view.verArea.x, view.verArea.width,
                             horizontalScrollRange(melody, view), viewWidth(view));
        if (fraction >= 0.0) {
            view.horizontalScroll = fraction;
            redraw(editor, RedrawVer + RedrawMain);
        }
    }
    if (view.vScrollDrag != 0) {
        const double fraction =
            fractionAlongBar(view.pointerY, view.horArea.y, view.horArea.height,
                             verticalScrollRange(melody, view), viewHeight(view));
        if (fraction >= 0.0) {
            view.verticalScroll = fraction;
            redraw(editor, RedrawHor + RedrawMain);
        }
    }
}

void panStep(EditorContext& editor) {
    View& view = editor.state.view;
    if (view.panning == 0) return;
    if ((view.hScrollDrag != 0 || view.vScrollDrag != 0) && isPointerStrictlyInsideGrid(view))
        return;
    // Outside the window there is no pointer to measure from; the anchor waits for its return.
    if (view.pointerX == PointerOutside) return;
    // Pan mode that started outside the window anchors at the first position inside it.
    if (view.panAnchorX == PointerOutside) {
        view.panAnchorX = view.pointerX;
        view.panAnchorY = view.pointerY;
        return;
    }
    const Melody& melody = editor.state.melody;
    const std::int32_t dxPx = view.pointerX - view.panAnchorX;
    const std::int32_t dyPx = view.pointerY - view.panAnchorY;
    view.horizontalScroll += dxPx * PanShareOfRangePerPixel / melody.lastColumn;
    view.verticalScroll += dyPx * PanShareOfRangePerPixel / melody.lastRow;
    view.panAnchorX = view.pointerX;
    view.panAnchorY = view.pointerY;
    view.horizontalScroll = std::clamp(view.horizontalScroll, 0.0, 1.0);
    view.verticalScroll = std::clamp(view.verticalScroll, 0.0, 1.0);
    redraw(editor, RedrawVer + RedrawHor + RedrawMain);
}

} // namespace vemo
