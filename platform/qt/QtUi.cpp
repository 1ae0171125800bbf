#include "platform/qt/QtUi.h"

#include "platform/qt/MakeQtUi.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/WindowWidget.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSettings>
#include <QSocketNotifier>
#include <QToolBar>

namespace vemo {

namespace {

// Caption and close only, owned by the main window, not resizable.
constexpr Qt::WindowFlags DialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

} // namespace

std::unique_ptr<Ui> makeQtUi() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    return std::make_unique<QtUi>();
}

QtUi::QtUi() : inputFilter_(events_), aliveToken_(std::make_shared<char>()) {
    qApp->installEventFilter(&inputFilter_);
}

QtUi::~QtUi() {
    aliveToken_.reset();
    qApp->removeEventFilter(&inputFilter_);
    menus_.clear();
    // Owned windows first: deleting the owner would delete them too.
    for (auto it = windowOrder_.rbegin(); it != windowOrder_.rend(); ++it)
        delete windows_.at(*it);
}

WindowWidget* QtUi::window(WindowId windowId) const {
    const auto found = windows_.find(windowId);
    return found == windows_.end() ? nullptr : found->second;
}

WindowWidget* QtUi::mainWindow() const {
    return window(mainWindowId_);
}

QWidget* QtUi::windowWidget(WindowId windowId) const {
    return window(windowId);
}

bool QtUi::createWindow(WindowId windowId, WindowStyle style, const std::string& title,
                        Rect placement) {
    if (windows_.contains(windowId)) return false;
    if (style == WindowStyle::Main && mainWindow()) return false;

    const bool isDialog = style == WindowStyle::Dialog;
    QWidget* owner = isDialog ? mainWindow() : nullptr;
    auto* created = new WindowWidget(windowId, events_, owner, isDialog ? DialogFlags : Qt::Window);
    windows_[windowId] = created;
    windowOrder_.push_back(windowId);
    if (style == WindowStyle::Main) {
        mainWindowId_ = windowId;
        created->setMouseTracking(true);
        inputFilter_.setMainWindow(created, windowId);
    }
    created->setWindowTitle(QString::fromStdString(title));
    placeWindow(windowId, placement.x, placement.y, placement.width, placement.height);
    return true;
}

void QtUi::setWindowTitle(WindowId windowId, const std::string& title) {
    if (WindowWidget* target = window(windowId))
        target->setWindowTitle(QString::fromStdString(title));
}

std::string QtUi::windowTitle(WindowId windowId) {
    const WindowWidget* target = window(windowId);
    return target ? target->windowTitle().toStdString() : std::string();
}

void QtUi::placeWindow(WindowId windowId, std::int32_t x, std::int32_t y, std::int32_t clientWidth,
                       std::int32_t clientHeight) {
    WindowWidget* target = window(windowId);
    if (!target) return;
    // A top-level move() places the frame's corner, resize() the client area.
    target->move(x, y);
    setClientSize(windowId, clientWidth, clientHeight);
}

void QtUi::setClientSize(WindowId windowId, std::int32_t clientWidth, std::int32_t clientHeight) {
    WindowWidget* target = window(windowId);
    if (!target) return;
    if (target->windowType() == Qt::Dialog)
        target->setFixedSize(clientWidth, clientHeight);
    else
        target->resize(clientWidth, clientHeight);
}

void QtUi::setMinimumClientSize(WindowId windowId, std::int32_t clientWidth,
                                std::int32_t clientHeight) {
    // The window manager learns it too, so a resize by the user is not fought back.
    if (WindowWidget* target = window(windowId)) target->setMinimumSize(clientWidth, clientHeight);
}

Size QtUi::clientSize(WindowId windowId) {
    const WindowWidget* target = window(windowId);
    if (!target) return {};
    return {target->width(), target->height()};
}

Point QtUi::windowPosition(WindowId windowId) {
    const WindowWidget* target = window(windowId);
    if (!target) return {};
    return {target->x(), target->y()};
}

void QtUi::showWindow(WindowId windowId, bool activate) {
    WindowWidget* target = window(windowId);
    if (!target) return;
    const Qt::WindowStates state = target->windowState();
    if (state & Qt::WindowMinimized) target->setWindowState(state & ~Qt::WindowMinimized);
    target->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    target->show();
    target->setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (activate) {
        target->raise();
        target->activateWindow();
    }
}

void QtUi::hideWindow(WindowId windowId) {
    WindowWidget* target = window(windowId);
    if (!target) return;
    const bool wasActive = target->isActiveWindow();
    target->hide();
    // An owned window hands the activation back to its owner.
    if (wasActive && target->parentWidget() && target->parentWidget()->isVisible())
        target->parentWidget()->activateWindow();
}

bool QtUi::isWindowVisible(WindowId windowId) {
    const WindowWidget* target = window(windowId);
    return target && target->isVisible();
}

void QtUi::setProgramIcon(const Image& icon) {
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(toIconQImage(icon))));
}

// In the user's configuration folder (XDG_CONFIG_HOME, else ~/.config), vemo/vemo.conf.
std::string QtUi::setting(const std::string& key) {
    const QSettings settings(QStringLiteral("vemo"), QStringLiteral("vemo"));
    return settings.value(QString::fromStdString(key)).toString().toStdString();
}

void QtUi::storeSetting(const std::string& key, const std::string& value) {
    QSettings settings(QStringLiteral("vemo"), QStringLiteral("vemo"));
    settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

bool QtUi::loadImage(const std::string& path, Image& image) {
    return loadImageFile(path, image);
}

} // namespace vemo
