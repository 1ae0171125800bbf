#include "platform/qt/QtImage.h"

#include <QString>

#include <cstring>

namespace vemo {

namespace {

constexpr std::int32_t BytesPerPixel = sizeof(Pixel);

// QImage's 32-bit formats store 0xAARRGGBB in native word order, the same as Pixel.
QImage wrap(const Image& image, QImage::Format format) {
    if (image.empty()) return {};
    const auto* bits = reinterpret_cast<const uchar*>(image.pixels().data());
    return QImage(bits, image.width(), image.height(), image.width() * BytesPerPixel, format)
        .copy();
}

} // namespace

QImage toOpaqueQImage(const Image& image) {
    return wrap(image, QImage::Format_RGB32);
}

QImage toIconQImage(const Image& image) {
    return wrap(image, QImage::Format_ARGB32);
}

Image fromQImage(const QImage& image) {
    if (image.isNull()) return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Image converted(argb.width(), argb.height());
    const auto rowBytes = static_cast<std::size_t>(argb.width()) * BytesPerPixel;
    for (std::int32_t y = 0; y < argb.height(); ++y) {
        std::memcpy(converted.pixels().data() + static_cast<std::size_t>(y) * argb.width(),
                    argb.constScanLine(y), rowBytes);
    }
    return converted;
}

bool loadImageFile(const std::string& path, Image& image) {
    QImage loaded;
    if (!loaded.load(QString::fromStdString(path))) return false;
    image = fromQImage(loaded);
    return !image.empty();
}

} // namespace vemo
