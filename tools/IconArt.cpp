#include "IconArt.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace vemo::art {

namespace {

constexpr int IconSize = 16;

const QColor Outline(0x1A, 0x22, 0x5E);
const QColor Paper(0xFA, 0xFA, 0xF2);
const QColor PaperShade(0xD4, 0xD8, 0xE6);
const QColor Amber(0xFF, 0xC2, 0x34);
const QColor Green(0x3A, 0xC4, 0x4E);
const QColor Red(0xE4, 0x44, 0x44);
const QColor Blue(0x44, 0x7A, 0xF0);
const QColor GridBlue(0x22, 0x33, 0xAA);
const QColor SelectionFill(0x44, 0x55, 0xEE);
const QColor SelectionLeft(0x22, 0xFF, 0x22);
const QColor SelectionRight(0xFF, 0x55, 0x55);
const QColor Board(0xB0, 0x74, 0x3C);
const QColor Metal(0xC8, 0xCC, 0xD8);
const QColor Panel(0x2A, 0x30, 0x58);

constexpr qreal OutlineWidth = 1.0;

using Drawing = std::function<void(QPainter&)>;

// The drawings are made on a 16-pixel square; a larger picture scales the painter, so every
// size shows the same art.
QImage draw(const Drawing& drawing, int size = IconSize) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (size != IconSize) painter.scale(qreal(size) / IconSize, qreal(size) / IconSize);
    drawing(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// A filled shape with the common outline. Coordinates on half pixels keep the outline sharp.
void shape(QPainter& p, const QPainterPath& path, const QColor& fill) {
    p.setPen(QPen(Outline, OutlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void box(QPainter& p, qreal x, qreal y, qreal w, qreal h, const QColor& fill, qreal radius = 0) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    shape(p, path, fill);
}

// A thick line drawn as an outlined stroke: a dark wide pen, then the colour on top.
void stroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Outline, width + 2 * OutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// A short note bar as on the grid.
void noteBar(QPainter& p, int x, int y, int length) {
    p.setPen(Qt::NoPen);
    p.setBrush(Amber);
    p.drawRect(x, y, length, 2);
}

// A sheet with a folded top-right corner.
void sheet(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    const qreal fold = 3;
    QPainterPath page;
    page.moveTo(x, y);
    page.lineTo(x + w - fold, y);
    page.lineTo(x + w, y + fold);
    page.lineTo(x + w, y + h);
    page.lineTo(x, y + h);
    page.closeSubpath();
    shape(p, page, Paper);
    QPainterPath corner;
    corner.moveTo(x + w - fold, y);
    corner.lineTo(x + w - fold, y + fold);
    corner.lineTo(x + w, y + fold);
    shape(p, corner, PaperShade);
}

void newIcon(QPainter& p) {
    sheet(p, 2.5, 0.5, 10, 14);
    noteBar(p, 4, 6, 4);
    noteBar(p, 7, 9, 4);
    noteBar(p, 5, 12, 3);
}

void singIcon(QPainter& p) {
    QPainterPath play;
    play.moveTo(3.5, 1.5);
    play.lineTo(13.5, 8);
    play.lineTo(3.5, 14.5);
    play.closeSubpath();
    shape(p, play, Green);
}

void shutIcon(QPainter& p) {
    box(p, 2.5, 2.5, 11, 11, Red, 1.5);
}

void loopIcon(QPainter& p) {
    const QRectF ring(2.5, 3.5, 11, 11);
    QPainterPath arc;
    arc.arcMoveTo(ring, 120);
    arc.arcTo(ring, 120, 280);
    stroke(p, arc, Blue, 1.6);
    QPainterPath head;
    head.moveTo(5.5, 0.5);
    head.lineTo(10.5, 3.5);
    head.lineTo(5.5, 6.5);
    head.closeSubpath();
    shape(p, head, Blue);
}

// An arrow that comes up on the right and turns back to the left, the common sign for going back
// one step. Redo is its mirror image.
void undoIcon(QPainter& p) {
    QPainterPath tail;
    tail.moveTo(5, 5.5);
    tail.lineTo(9.5, 5.5);
    tail.arcTo(QRectF(5.5, 5.5, 8, 8), 90, -180);
    tail.lineTo(6.5, 13.5);
    stroke(p, tail, Blue, 1.6);
    QPainterPath head;
    head.moveTo(0.5, 5.5);
    head.lineTo(5.5, 1.5);
    head.lineTo(5.5, 9.5);
    head.closeSubpath();
    shape(p, head, Blue);
}

// Swaps left and right pixel for pixel; a mirrored painter would round its edges differently.
QImage mirrored(const QImage& image) {
    QImage result(image.size(), image.format());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            result.setPixel(image.width() - 1 - x, y, image.pixel(x, y));
    return result;
}

// Program text: a dark panel with the angle brackets of markup in it.
void codeIcon(QPainter& p) {
    box(p, 0.5, 1.5, 15, 13, Panel, 1.5);
    const auto glyph = [&](const QPainterPath& path, const QColor& colour) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    };
    QPainterPath left;
    left.moveTo(5.5, 5);
    left.lineTo(2.5, 8);
    left.lineTo(5.5, 11);
    QPainterPath right;
    right.moveTo(10.5, 5);
    right.lineTo(13.5, 8);
    right.lineTo(10.5, 11);
    QPainterPath slash;
    slash.moveTo(9, 4);
    slash.lineTo(7, 12);
    glyph(left, Amber);
    glyph(right, Amber);
    glyph(slash, Paper);
}

void loadIcon(QPainter& p) {
    QPainterPath back;
    back.moveTo(0.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(7, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(0.5, 13.5);
    back.closeSubpath();
    shape(p, back, QColor(0xD8, 0x96, 0x28));
    QPainterPath front;
    front.moveTo(3, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.lineTo(0.5, 13.5);
    front.closeSubpath();
    shape(p, front, Amber);
}

void saveIcon(QPainter& p) {
    QPainterPath disk;
    disk.moveTo(1.5, 1.5);
    disk.lineTo(12.5, 1.5);
    disk.lineTo(14.5, 3.5);
    disk.lineTo(14.5, 14.5);
    disk.lineTo(1.5, 14.5);
    disk.closeSubpath();
    shape(p, disk, Blue);
    box(p, 4.5, 1.5, 7, 5, Metal);
    p.setPen(Qt::NoPen);
    p.setBrush(Outline);
    p.drawRect(9, 3, 2, 3);
    box(p, 3.5, 8.5, 9, 6, Paper);
    noteBar(p, 5, 11, 6);
}

void copyIcon(QPainter& p) {
    sheet(p, 0.5, 0.5, 9, 11);
    sheet(p, 5.5, 4.5, 9, 11);
    noteBar(p, 7, 9, 4);
    noteBar(p, 9, 12, 3);
}

// A sheet of notes with an arrow leaving it to the right: the melody goes out to another format.
void exportIcon(QPainter& p) {
    sheet(p, 0.5, 0.5, 9, 14);
    noteBar(p, 2, 4, 4);
    noteBar(p, 3, 11, 3);
    QPainterPath shaft;
    shaft.moveTo(4.5, 8);
    shaft.lineTo(9.5, 8);
    stroke(p, shaft, Green, 2);
    QPainterPath head;
    head.moveTo(9.5, 3.5);
    head.lineTo(14.5, 8);
    head.lineTo(9.5, 12.5);
    head.closeSubpath();
    shape(p, head, Green);
}

// The grid with the playback line and an arrow: the view goes along with what is heard.
void followIcon(QPainter& p) {
    box(p, 0.5, 2.5, 15, 11, GridBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawRect(5, 3, 1, 10);
    QPainterPath head;
    head.moveTo(8.5, 4.5);
    head.lineTo(13.5, 8);
    head.lineTo(8.5, 11.5);
    head.closeSubpath();
    shape(p, head, Green);
}

void pasteIcon(QPainter& p) {
    box(p, 1.5, 2.5, 13, 13, Board, 1.5);
    box(p, 3.5, 5.5, 9, 9, Paper);
    box(p, 5.5, 0.5, 5, 4, Metal, 1);
    noteBar(p, 5, 8, 4);
    noteBar(p, 7, 11, 4);
}

void selectionIcon(QPainter& p) {
    box(p, 0.5, 2.5, 15, 11, GridBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(SelectionFill);
    p.drawRect(4, 3, 8, 10);
    p.setBrush(SelectionLeft);
    p.drawRect(4, 3, 1, 10);
    p.setBrush(SelectionRight);
    p.drawRect(11, 3, 1, 10);
    noteBar(p, 6, 6, 4);
    noteBar(p, 6, 9, 2);
}

void programIcon(QPainter& p) {
    box(p, 0.5, 0.5, 15, 15, GridBlue, 2.5);
    noteBar(p, 2, 11, 4);
    noteBar(p, 5, 8, 3);
    noteBar(p, 8, 5, 3);
    noteBar(p, 11, 3, 3);
    noteBar(p, 9, 11, 5);
}

} // namespace

std::vector<Icon> icons() {
    return {
        {"new.ico", draw(newIcon)},
        {"space.ico", draw([](QPainter&) {})},
        {"sing.ico", draw(singIcon)},
        {"shut.ico", draw(shutIcon)},
        {"loop.ico", draw(loopIcon)},
        {"code.ico", draw(codeIcon)},
        {"load.ico", draw(loadIcon)},
        {"save.ico", draw(saveIcon)},
        {"copy.ico", draw(copyIcon)},
        {"paste.ico", draw(pasteIcon)},
        {"selec.ico", draw(selectionIcon)},
        {"undo.ico", draw(undoIcon)},
        {"redo.ico", mirrored(draw(undoIcon))},
        {"export.ico", draw(exportIcon)},
        {"follow.ico", draw(followIcon)},
        {"vemo.ico", draw(programIcon)},
    };
}

QImage programIconOfSize(int size) {
    return draw(programIcon, size);
}

} // namespace vemo::art
