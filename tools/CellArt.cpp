#include "CellArt.h"

namespace vemo::art {

namespace {

constexpr int CellWidth = 11;
constexpr int CellHeight = 7;
constexpr int BridgeWidth = 4;

// Empty cells: a tile a little lighter than the grid background, lit from above.
constexpr QRgb EmptyTop = qRgb(0x3C, 0x52, 0xCE);
constexpr QRgb EmptyBody = qRgb(0x31, 0x46, 0xC2);
constexpr QRgb EmptyBottom = qRgb(0x29, 0x3B, 0xB4);

// Notes: an amber bar with a bright top edge and a darker lower edge.
constexpr QRgb NoteTop = qRgb(0xFF, 0xE8, 0x96);
constexpr QRgb NoteBody = qRgb(0xFF, 0xC2, 0x34);
constexpr QRgb NoteLow = qRgb(0xE8, 0xA2, 0x20);
constexpr QRgb NoteBottom = qRgb(0xB0, 0x70, 0x10);
// Where a bar ends, its rounded corners let the tile show through, half blended.
constexpr QRgb CornerTop = qRgb(0x9E, 0x9D, 0xB2);
constexpr QRgb CornerBottom = qRgb(0x6C, 0x55, 0x62);

QRgb tileRow(int y) {
    if (y == 0) return EmptyTop;
    if (y == CellHeight - 1) return EmptyBottom;
    return EmptyBody;
}

QRgb barRow(int y) {
    if (y == 0) return NoteTop;
    if (y == CellHeight - 2) return NoteLow;
    if (y == CellHeight - 1) return NoteBottom;
    return NoteBody;
}

// A bar over the whole picture; a rounded end at the left and/or right where the note ends.
QImage bar(int width, bool roundLeft, bool roundRight) {
    QImage image(width, CellHeight, QImage::Format_RGB32);
    for (int y = 0; y < CellHeight; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, barRow(y));
    const auto roundEnd = [&](int edgeX) {
        image.setPixel(edgeX, 0, CornerTop);
        image.setPixel(edgeX, CellHeight - 1, CornerBottom);
    };
    if (roundLeft) roundEnd(0);
    if (roundRight) roundEnd(width - 1);
    return image;
}

} // namespace

QImage emptyCell() {
    QImage image(CellWidth, CellHeight, QImage::Format_RGB32);
    for (int y = 0; y < CellHeight; ++y)
        for (int x = 0; x < CellWidth; ++x)
            image.setPixel(x, y, tileRow(y));
    return image;
}

QImage note() {
    return bar(CellWidth, true, true);
}
QImage noteHeldRight() {
    return bar(CellWidth, true, false);
}
QImage noteHeldLeft() {
    return bar(CellWidth + BridgeWidth, false, true);
}
QImage noteHeldBoth() {
    return bar(CellWidth + BridgeWidth, false, false);
}

} // namespace vemo::art
