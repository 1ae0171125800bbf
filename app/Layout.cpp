#include "app/Layout.h"

#include "platform/Ids.h"
#include "view/PixelScale.h"

namespace vemo {

void layoutMainWindow(View& view, Ui& ui) {
    Size client = ui.clientSize(WindowId::Main);
    if (client.width < MinClientWidth)
        ui.setClientSize(WindowId::Main, MinClientWidth, client.height);
    client = ui.clientSize(WindowId::Main);
    if (client.height < MinClientHeight)
        ui.setClientSize(WindowId::Main, client.width, MinClientHeight);
    client = ui.clientSize(WindowId::Main);
    view.devicePixelRatio = ui.devicePixelRatio();
    const auto sizeImage = [&](ImageArea& area) {
        area.imageWidth = imagePixels(area.width, view.devicePixelRatio);
        area.imageHeight = imagePixels(area.height, view.devicePixelRatio);
    };

    ImageArea& hor = view.horArea;
    hor.x = client.width - hor.width - AreaGap;
    hor.height = client.height - hor.y - AreaGap;
    ui.moveControl(ControlId::HorImage, {hor.x, hor.y, hor.width, hor.height});
    sizeImage(hor);

    ImageArea& ver = view.verArea;
    ver.width = client.width - ver.x - view.horArea.width - 2 * AreaGap;
    ui.moveControl(ControlId::VerImage, {ver.x, ver.y, ver.width, ver.height});
    sizeImage(ver);

    ImageArea& grid = view.mainArea;
    grid.width = client.width - grid.x - view.horArea.width - 2 * AreaGap;
    grid.height = client.height - grid.y - AreaGap;
    ui.moveControl(ControlId::MainImage, {grid.x, grid.y, grid.width, grid.height});
    sizeImage(grid);
}

} // namespace vemo
