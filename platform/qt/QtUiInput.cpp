#include "platform/qt/QtUi.h"

#include "platform/qt/WindowWidget.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace vemo {

Point QtUi::pointer() {
    const WindowWidget* main = mainWindow();
    if (!main || !main->isVisible() || main->isMinimized()) return {};
    const QPoint client = main->mapFromGlobal(QCursor::pos());
    if (!main->rect().contains(client)) return {};
    return {client.x(), client.y()};
}

double QtUi::devicePixelRatio() {
    if (const WindowWidget* main = mainWindow()) return main->devicePixelRatioF();
    return qGuiApp->devicePixelRatio();
}

std::int32_t QtUi::keyState(std::int32_t key) {
    switch (key) {
    case Key::LeftButton:
        return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton) ? KeyDownNow : 0;
    case Key::RightButton:
        return QGuiApplication::mouseButtons().testFlag(Qt::RightButton) ? KeyDownNow : 0;
    case Key::MiddleButton:
        return QGuiApplication::mouseButtons().testFlag(Qt::MiddleButton) ? KeyDownNow : 0;
    case Key::Shift:
        return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier) ? KeyDownNow
                                                                                     : 0;
    default:
        return inputFilter_.trackedKeyState(key);
    }
}

Event QtUi::waitEvent(std::int32_t timeoutMs) {
    return events_.wait(timeoutMs);
}

void QtUi::drainEvents() {
    inputFilter_.setDiscardingInput(true);
    QCoreApplication::processEvents();
    inputFilter_.setDiscardingInput(false);
    events_.clear();
    if (isEndRequested_) events_.push({EventKind::EndRequest, mainWindowId_});
}

} // namespace vemo
