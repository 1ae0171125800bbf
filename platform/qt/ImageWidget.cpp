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

ImageWidget::ImageWidget(std::int32_t controlId, std::int32_t windowId, EventQueue& events,
                         QWidget* parent)
    : QWidget(parent), controlId_(controlId), windowId_(windowId), events_(events) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void ImageWidget::setImage(QImage image) {
    image_ = std::move(image);
    update();
}

void ImageWidget::setCursorLine(std::int32_t x, QColor colour) {
    if (x == cursorX_ && colour == cursorColour_) return;
    const std::int32_t oldX = cursorX_;
    cursorX_ = x;
    cursorColour_ = colour;
    if (oldX >= 0) update(oldX, 0, 1, height());
    if (x >= 0) update(x, 0, 1, height());
}

void ImageWidget::paintEvent(QPaintEvent* event) {
    if (image_.isNull()) return;
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), image_, area);
    if (cursorX_ >= 0 && cursorX_ >= area.left() && cursorX_ <= area.right())
        painter.fillRect(cursorX_, area.top(), 1, area.height(), cursorColour_);
}

void ImageWidget::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        events_.push({EventKind::Control, windowId_, controlId_, ControlEventType::LeftClick});
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint()))
        events_.push({EventKind::Control, windowId_, controlId_, ControlEventType::RightClick});
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
    if (steps != 0) events_.push({EventKind::CtrlWheel, windowId_, controlId_, 0, steps});
}

} // namespace vemo
