#include "view/PointerOnGrid.h"

#include "view/Zoom.h"

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

} // namespace vemo
