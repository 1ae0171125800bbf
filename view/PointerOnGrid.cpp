#include "view/PointerOnGrid.h"

#include "view/Zoom.h"

namespace vemo {

bool isPointerOnGrid(const View& view) {
    const ImageArea& grid = view.mainArea;
    return grid.x <= view.pointerX && view.pointerX < grid.x + grid.width &&
           grid.y <= view.pointerY && view.pointerY < grid.y + grid.height;
}

Point pointerOnGrid(const View& view) {
    return {unzoomed(view.pointerX - view.mainArea.x, view.zoom),
            unzoomed(view.pointerY - view.mainArea.y, view.zoom)};
}

} // namespace vemo
