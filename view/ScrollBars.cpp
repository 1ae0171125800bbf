#include "view/ScrollBars.h"

#include "view/Colours.h"
#include "view/Rounding.h"
#include "view/Zoom.h"

#include <array>

namespace vemo {

namespace {

// A marker this close to an end pulls the view all the way there.
constexpr std::int32_t SnapZonePx = 6;
// A snapped marker sits one pixel in from the end it snapped to.
constexpr std::int32_t SnappedInsetPx = 1;

struct MarkerLine {
    std::int32_t offsetPx;
    Pixel colour;
};

constexpr std::array<MarkerLine, 5> MarkerLines{{
    {-2, colours::MarkerOuter},
    {-1, colours::MarkerInner},
    {0, colours::MarkerCentre},
    {1, colours::MarkerInner},
    {2, colours::MarkerOuter},
}};

} // namespace

std::int32_t scrollMarkerPosition(std::int32_t lengthPx, double& fraction, bool panning) {
    std::int32_t position = roundHalfToEven(lengthPx * fraction);
    if (panning) return position;
    if (position < SnapZonePx) {
        position = SnappedInsetPx;
        fraction = 0.0;
    } else if (position > lengthPx - 1 - SnapZonePx) {
        position = lengthPx - 1 - SnappedInsetPx;
        fraction = 1.0;
    }
    return position;
}

void paintVerBar(View& view) {
    paintZoomed(view.verArea.image, view.zoom, [&](Image& image) {
        const std::int32_t position =
            scrollMarkerPosition(image.width(), view.horizontalScroll, view.panning != 0);
        image.fillRect(0, 0, image.width(), image.height(), colours::ScrollBarBackground);
        for (const MarkerLine& line : MarkerLines)
            image.verticalLine(position + line.offsetPx, line.colour);
    });
}

void paintHorBar(View& view) {
    paintZoomed(view.horArea.image, view.zoom, [&](Image& image) {
        const std::int32_t position =
            scrollMarkerPosition(image.height(), view.verticalScroll, view.panning != 0);
        image.fillRect(0, 0, image.width(), image.height(), colours::ScrollBarBackground);
        for (const MarkerLine& line : MarkerLines)
            image.horizontalLine(position + line.offsetPx, line.colour);
    });
}

} // namespace vemo
