#include "IcoWriter.h"

#include <QByteArray>
#include <QFile>

#include <cstdint>

namespace vemo::art {

namespace {

constexpr int DirectoryBytes = 6;
constexpr int EntryBytes = 16;
constexpr int InfoHeaderBytes = 40;
constexpr int BitsPerPixel = 32;
constexpr int IconType = 1;

void put16(QByteArray& bytes, std::uint32_t value) {
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>((value >> 8) & 0xFF));
}

void put32(QByteArray& bytes, std::uint32_t value) {
    put16(bytes, value & 0xFFFF);
    put16(bytes, value >> 16);
}

} // namespace

bool writeIcon(const QString& path, const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    // One bit per pixel, each row padded to whole 32-bit words.
    const std::uint32_t maskRowBytes = (width + 31) / 32 * 4;
    const std::uint32_t imageBytes = InfoHeaderBytes + width * height * 4 + maskRowBytes * height;

    QByteArray bytes;
    put16(bytes, 0);
    put16(bytes, IconType);
    put16(bytes, 1);
    bytes.append(static_cast<char>(width & 0xFF)); // 0 would mean 256
    bytes.append(static_cast<char>(height & 0xFF));
    bytes.append('\0'); // no palette
    bytes.append('\0');
    put16(bytes, 1); // planes
    put16(bytes, BitsPerPixel);
    put32(bytes, imageBytes);
    put32(bytes, DirectoryBytes + EntryBytes);

    put32(bytes, InfoHeaderBytes);
    put32(bytes, width);
    put32(bytes, height * 2); // colour rows and mask rows together
    put16(bytes, 1);
    put16(bytes, BitsPerPixel);
    put32(bytes, 0); // uncompressed
    put32(bytes, width * height * 4 + maskRowBytes * height);
    put32(bytes, 0);
    put32(bytes, 0);
    put32(bytes, 0);
    put32(bytes, 0);

    // Rows bottom-up, pixels as blue, green, red, alpha.
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x)
            put32(bytes, image.pixel(x, y));
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(static_cast<qsizetype>(maskRowBytes), '\0');
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        bytes.append(row);
    }

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace vemo::art
