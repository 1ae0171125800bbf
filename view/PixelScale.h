#pragma once

#include "platform/Image.h"

#include <cstdint>

namespace vemo {

constexpr std::int32_t MinZoom = 1;
constexpr std::int32_t MaxZoom = 4;

// The zoom for a screen of this device pixel ratio: the ratio rounded, within MinZoom … MaxZoom.
std::int32_t startZoom(double devicePixelRatio);

// Image pixels for a length or an offset in the controls' own pixels on a screen of this device
// pixel ratio, rounded to whole pixels; each image pixel then covers one screen pixel.
std::int32_t imagePixels(std::int32_t controlPx, double devicePixelRatio);

// How many pixels of the melody an image lengthPx long shows at the zoom; a part-pixel at the
// end counts as one.
std::int32_t unzoomedLength(std::int32_t lengthPx, std::int32_t zoom);

// The melody pixel that image pixel px falls in, counted from the same origin.
std::int32_t unzoomed(std::int32_t px, std::int32_t zoom);

// Paints target as paint draws it at zoom 1 into an image of the unzoomed size, scaled up by
// whole pixels. Painting small and scaling once writes each pixel of the large image only once.
template <typename Paint> void paintZoomed(Image& target, std::int32_t zoom, Paint&& paint) {
    if (zoom <= 1) {
        paint(target);
        return;
    }
    Image unzoomedImage(unzoomedLength(target.width(), zoom),
                        unzoomedLength(target.height(), zoom));
    paint(unzoomedImage);
    target.blitScaled(unzoomedImage, zoom);
}

} // namespace vemo
