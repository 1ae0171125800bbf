#include "platform/qt/WindowWidget.h"

#include "platform/qt/EventQueue.h"

#include <QCloseEvent>
#include <QResizeEvent>

namespace vemo {

WindowWidget::WindowWidget(WindowId windowId, EventQueue& events, QWidget* owner,
                           Qt::WindowFlags flags)
    : QWidget(owner, flags), windowId_(windowId), events_(events) {}

void WindowWidget::setTopBar(QWidget* bar) {
    topBar_ = bar;
    fitTopBar();
}

void WindowWidget::fitTopBar() {
    if (!topBar_) return;
    topBar_->setGeometry(0, 0, width(), topBar_->sizeHint().height());
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    events_.push({EventKind::Close, windowId_});
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitTopBar();
    events_.push({EventKind::Size, windowId_});
}

} // namespace vemo
