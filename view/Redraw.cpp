#include "view/Redraw.h"

#include "platform/Ids.h"
#include "view/GridPass.h"
#include "view/ScrollBars.h"

namespace vemo {

void redraw(EditorContext& editor, std::int32_t flags) {
    const View& view = editor.state.view;
    ViewImages& images = editor.images;
    Ui& ui = editor.platform.ui;
    if ((flags & RedrawVer) != 0) {
        fitToArea(images.ver, view.verArea);
        paintVerBar(view, images.ver);
        ui.showImage(ControlId::VerImage, images.ver);
    }
    if ((flags & RedrawHor) != 0) {
        fitToArea(images.hor, view.horArea);
        paintHorBar(view, images.hor);
        ui.showImage(ControlId::HorImage, images.hor);
    }
    if ((flags & RedrawMain) != 0) {
        fitToArea(images.main, view.mainArea);
        paintGrid(editor.state, editor.bitmaps, images.main);
        ui.showImage(ControlId::MainImage, images.main);
        if ((flags & RedrawWithoutPause) == 0) editor.platform.runtime.sleepMs(GridPauseMs);
    }
}

} // namespace vemo
