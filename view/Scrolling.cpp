#include "view/Scrolling.h"

#include "view/KeyQueries.h"
#include "view/Redraw.h"

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
double fractionAlongBar(std::int32_t pointer, std::int32_t barStart, std::int32_t barLength) {
    if (pointer < barStart || pointer >= barStart + barLength) return -1.0;
    return static_cast<double>(pointer - barStart) / barLength;
}

} // namespace

void switchPanMode(Editor& editor) {
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

void scrollBarDragStep(Editor& editor) {
    View& view = editor.state.view;
    if (view.hScrollDrag != 0) {
        const double fraction = fractionAlongBar(view.pointerX, view.verArea.x, view.verArea.width);
        if (fraction >= 0.0) {
            view.horizontalScroll = fraction;
            redraw(editor.state, editor.bitmaps, editor.platform, RedrawVer + RedrawMain);
        }
    }
    if (view.vScrollDrag != 0) {
        const double fraction =
            fractionAlongBar(view.pointerY, view.horArea.y, view.horArea.height);
        if (fraction >= 0.0) {
            view.verticalScroll = fraction;
            redraw(editor.state, editor.bitmaps, editor.platform, RedrawHor + RedrawMain);
        }
    }
}

void panStep(Editor& editor) {
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
    redraw(editor.state, editor.bitmaps, editor.platform, RedrawVer + RedrawHor + RedrawMain);
}

} // namespace vemo
