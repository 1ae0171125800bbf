#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Ids.h"

#include <cstdint>

namespace vemo {

class EventQueue;

// A top-level window of the program. Close requests and size changes become program events;
// whether the window really closes is the program's decision.
class WindowWidget final : public QWidget {
    Q_OBJECT
  public:
    WindowWidget(WindowId windowId, EventQueue& events, QWidget* owner, Qt::WindowFlags flags);

    WindowId windowId() const { return windowId_; }
    // A bar kept at the top edge across the full client width (the toolbar).
    void setTopBar(QWidget* bar);
    void fitTopBar();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    WindowId windowId_;
    EventQueue& events_;
    QPointer<QWidget> topBar_;
};

} // namespace vemo
