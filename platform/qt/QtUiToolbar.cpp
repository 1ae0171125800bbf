#include "platform/qt/QtUi.h"

#include "platform/qt/QtImage.h"
#include "platform/qt/WindowWidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QPixmap>
#include <QThread>
#include <QToolBar>

namespace vemo {

bool QtUi::createToolbar(std::int32_t) {
    WindowWidget* owner = mainWindow();
    if (!owner || toolbar_) return false;
    toolbar_ = new QToolBar(owner);
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setFocusPolicy(Qt::NoFocus);
    owner->setTopBar(toolbar_);
    return true;
}

void QtUi::addToolbarButton(CommandId commandId, const Image& icon, bool isToggle,
                            const std::string& tooltip) {
    if (!toolbar_) return;
    // The icons are drawn for their own size; the style's larger slot would scale them.
    if (buttons_.empty() && !icon.empty()) toolbar_->setIconSize({icon.width(), icon.height()});
    QAction* action = toolbar_->addAction(QIcon(QPixmap::fromImage(toIconQImage(icon))), QString());
    action->setCheckable(isToggle);
    action->setToolTip(QString::fromStdString(tooltip));
    if (QWidget* button = toolbar_->widgetForAction(action)) button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(action, &QAction::triggered,
                     [this, commandId] { events_.push(commandEvent(mainWindowId_, commandId)); });
    buttons_[commandId] = action;
    mainWindow()->fitTopBar();
}

std::int32_t QtUi::toolbarHeight() {
    return toolbar_ ? toolbar_->sizeHint().height() : 0;
}

QAction* QtUi::toolbarAction(CommandId commandId) const {
    const auto found = buttons_.find(commandId);
    return found == buttons_.end() ? nullptr : found->second;
}

void QtUi::applyButtonEnabled(CommandId commandId, bool enabled) {
    if (QAction* action = toolbarAction(commandId)) action->setEnabled(enabled);
}

void QtUi::setButtonTooltip(CommandId commandId, const std::string& tooltip) {
    if (QAction* action = toolbarAction(commandId))
        action->setToolTip(QString::fromStdString(tooltip));
}

void QtUi::setButtonEnabled(CommandId commandId, bool enabled) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) return;
    if (QThread::currentThread() == application->thread()) {
        applyButtonEnabled(commandId, enabled);
        return;
    }
    // Widgets belong to the UI thread: the change runs there, and only if this object still
    // exists by then.
    std::weak_ptr<char> alive = aliveToken_;
    QMetaObject::invokeMethod(
        application,
        [this, alive = std::move(alive), commandId, enabled] {
            if (alive.lock()) applyButtonEnabled(commandId, enabled);
        },
        Qt::QueuedConnection);
}

bool QtUi::isButtonEnabled(CommandId commandId) {
    const QAction* action = toolbarAction(commandId);
    return action && action->isEnabled();
}

bool QtUi::isButtonPressed(CommandId commandId) {
    const QAction* action = toolbarAction(commandId);
    return action && action->isChecked();
}

void QtUi::setButtonPressed(CommandId commandId, bool pressed) {
    if (QAction* action = toolbarAction(commandId)) action->setChecked(pressed);
}

} // namespace vemo
