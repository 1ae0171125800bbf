#include "platform/qt/ImageWidget.h"

#include "platform/qt/EventQueue.h"
#include "platform/qt/InputFilter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

namespace vemo {

namespace {

// One notch of a common mouse wheel, in the eighths of a degree Qt reports.
constexpr std::int32_t NotchEighthDegrees = 120;

} // namespace

ImageWidget::ImageWidget(ControlId controlId, WindowId windowId, EventQueue& events,
                         QWidget* parent)
    : QWidget(parent), controlId_(controlId), windowId_(windowId), events_(events) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void ImageWidget::setImage(QImage image) {
    image_ = std::move(image);
    image_.setDevicePixelRatio(devicePixelRatioF());
    update();
}

QRectF ImageWidget::cursorLineRect(std::int32_t x) const {
    const qreal ratio = image_.isNull() ? devicePixelRatioF() : image_.devicePixelRatio();
    return {x / ratio, 0.0, 1.0 / ratio, static_cast<qreal>(height())};
}

void ImageWidget::setCursorLine(std::int32_t x, QColor colour) {
    if (x == cursorX_ && colour == cursorColour_) return;
    const std::int32_t oldX = cursorX_;
    cursorX_ = x;
    cursorColour_ = colour;
    if (oldX >= 0) update(cursorLineRect(oldX).toAlignedRect());
    if (x >= 0) update(cursorLineRect(x).toAlignedRect());
}

QRectF ImageWidget::columnMarkRect() const {
    const qreal ratio = image_.isNull() ? devicePixelRatioF() : image_.devicePixelRatio();
    return {markX_ / ratio, 0.0, markWidth_ / ratio, static_cast<qreal>(height())};
}

void ImageWidget::setColumnMark(std::int32_t x, std::int32_t width, QColor colour) {
    if (x == markX_ && width == markWidth_ && colour == markColour_) return;
    if (markX_ >= 0) update(columnMarkRect().toAlignedRect());
    markX_ = x;
    markWidth_ = width;
    markColour_ = colour;
    if (markX_ >= 0) update(columnMarkRect().toAlignedRect());
}

// Two edges one image pixel wide, so the notes inside the column stay visible.
void ImageWidget::paintColumnMark(QPainter& painter) {
    if (markX_ < 0 || markWidth_ <= 0) return;
    const QRectF mark = columnMarkRect();
    const qreal edge = 1.0 / image_.devicePixelRatio();
    painter.fillRect(QRectF(mark.left(), 0.0, edge, mark.height()), markColour_);
    painter.fillRect(QRectF(mark.right() - edge, 0.0, edge, mark.height()), markColour_);
}

void ImageWidget::paintEvent(QPaintEvent* event) {
    if (image_.isNull()) return;
    QPainter painter(this);
    const QRect area = event->rect();
    // The part of the image under the area, counted in the image's own pixels.
    const qreal ratio = image_.devicePixelRatio();
    painter.drawImage(
        QRectF(area), image_,
        QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
    paintColumnMark(painter);
    if (cursorX_ < 0) return;
    const QRectF line = cursorLineRect(cursorX_);
    if (line.intersects(QRectF(area))) painter.fillRect(line, cursorColour_);
}

void ImageWidget::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        events_.push(controlEvent(windowId_, controlId_, LeftClick));
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint()))
        events_.push(controlEvent(windowId_, controlId_, RightClick));
}

// The second press of a double click is not another click; QWidget would turn it into one.
void ImageWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void ImageWidget::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & MatchedModifiers) != Qt::ControlModifier) {
        event->ignore();
        return;
    }
    event->accept();
    wheelEighthDegrees_ += event->angleDelta().y();
    const std::int32_t steps = wheelEighthDegrees_ / NotchEighthDegrees;
    wheelEighthDegrees_ -= steps * NotchEighthDegrees;
    if (steps == 0) return;
    Event wheel{EventKind::CtrlWheel, windowId_};
    wheel.control = controlId_;
    wheel.steps = steps;
    events_.push(wheel);
}

} // namespace vemo
