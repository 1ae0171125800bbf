#include "view/PixelScale.h"

#include <algorithm>
#include <cmath>

namespace vemo {

std::int32_t startZoom(double devicePixelRatio) {
    if (!std::isfinite(devicePixelRatio)) return MinZoom;
    const double rounded = std::round(std::clamp<double>(devicePixelRatio, MinZoom, MaxZoom));
    return static_cast<std::int32_t>(rounded);
}

std::int32_t imagePixels(std::int32_t controlPx, double devicePixelRatio) {
    return static_cast<std::int32_t>(std::lround(controlPx * devicePixelRatio));
}

std::int32_t unzoomedLength(std::int32_t lengthPx, std::int32_t zoom) {
    return static_cast<std::int32_t>((std::int64_t{lengthPx} + zoom - 1) / zoom);
}

std::int32_t unzoomed(std::int32_t px, std::int32_t zoom) {
    // Rounded down, also left of the origin: pixel -1 lies in the melody pixel -1.
    if (px >= 0) return px / zoom;
    return static_cast<std::int32_t>(-((-std::int64_t{px} + zoom - 1) / zoom));
}

} // namespace vemo
