#include "platform/qt/EventQueue.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace vemo {

void EventQueue::push(const Event& event) {
    events_.push_back(event);
    if (waitLoop_) waitLoop_->quit();
}

Event EventQueue::pop() {
    if (events_.empty()) return {};
    const Event event = events_.front();
    events_.pop_front();
    return event;
}

Event EventQueue::wait(std::int32_t timeoutMs) {
    if (!events_.empty()) return pop();
    QCoreApplication::processEvents();
    if (!events_.empty() || timeoutMs <= 0) return pop();

    // processEvents(flags, ms) returns as soon as nothing is pending, so the wait needs a loop of
    // its own; a coarse timer may fire early, hence the precise one.
    QEventLoop loop;
    QTimer deadline;
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    QEventLoop* const outerLoop = waitLoop_;
    waitLoop_ = &loop;
    loop.exec();
    waitLoop_ = outerLoop;
    return pop();
}

} // namespace vemo
