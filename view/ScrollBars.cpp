#include "view/ScrollBars.h"

#include "view/Colours.h"
#include "view/PixelScale.h"
#include "view/Rounding.h"

#include <array>

namespace vemo {

namespace {

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

std::int32_t scrollMarkerPosition(std::int32_t lengthPx, double fraction, bool panning) {
    const std::int32_t position = roundHalfToEven(lengthPx * fraction);
    if (panning) return position;
    if (position < SnapZonePx) return SnappedInsetPx;
    if (position > lengthPx - 1 - SnapZonePx) return lengthPx - 1 - SnappedInsetPx;
    return position;
}

namespace {

// A bar above the grid runs along x, one beside it along y.
enum class BarAxis { X, Y };

void paintBar(Image& bar, BarAxis axis, std::int32_t zoom, double fraction, bool panning) {
    paintZoomed(bar, zoom, [&](Image& image) {
        const std::int32_t length = axis == BarAxis::X ? image.width() : image.height();
        const std::int32_t position = scrollMarkerPosition(length, fraction, panning);
        image.fillRect(0, 0, image.width(), image.height(), colours::ScrollBarBackground);
        for (const MarkerLine& line : MarkerLines) {
            if (axis == BarAxis::X)
                image.verticalLine(position + line.offsetPx, line.colour);
            else
                image.horizontalLine(position + line.offsetPx, line.colour);
        }
    });
}

} // namespace

void paintVerBar(const View& view, Image& image) {
    paintBar(image, BarAxis::X, view.zoom, view.horizontalScroll, view.panning != 0);
}

void paintHorBar(const View& view, Image& image) {
    paintBar(image, BarAxis::Y, view.zoom, view.verticalScroll, view.panning != 0);
}

} // namespace vemo
