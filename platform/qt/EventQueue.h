#pragma once

#include "platform/Ui.h"

#include <cstdint>
#include <deque>

class QEventLoop;

namespace vemo {

// Program events in the order they happened, handed out one at a time. Used on the UI thread only.
class EventQueue {
  public:
    void push(const Event& event);
    bool empty() const { return events_.empty(); }
    std::size_t size() const { return events_.size(); }
    void clear() { events_.clear(); }

    // The oldest event, or EventKind::None when the queue is empty.
    Event pop();
    // Runs Qt's event processing until an event is queued or timeoutMs has passed.
    Event wait(std::int32_t timeoutMs);

  private:
    std::deque<Event> events_;
    QEventLoop* waitLoop_ = nullptr;
};

} // namespace vemo
