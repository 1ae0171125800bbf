#include "platform/qt/ImageWidget.h"

#include "platform/qt/EventQueue.h"

#include <QMouseEvent>
#include <QPainter>

namespace vemo {

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

void ImageWidget::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
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

} // namespace vemo
