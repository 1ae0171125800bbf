#pragma once

#include "platform/Image.h"

#include <QImage>

#include <string>

namespace vemo {

// An opaque copy for showing: the alpha byte is ignored, as an off-screen bitmap would be.
QImage toOpaqueQImage(const Image& image);
// A copy that keeps the alpha byte, for icons.
QImage toIconQImage(const Image& image);
// Any QImage into 0xAARRGGBB pixels.
Image fromQImage(const QImage& image);
// Reads a BMP or ICO file; false when it is missing or unreadable.
bool loadImageFile(const std::string& path, Image& image);

} // namespace vemo
