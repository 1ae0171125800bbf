#include "platform/qt/InputFilter.h"

#include "platform/qt/EventQueue.h"
#include "platform/qt/QtKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace vemo {

namespace {

// Native codes of the two Ctrl keys under X11: keysyms Control_L / Control_R and their keycodes.
constexpr quint32 LeftControlKeysym = 0xffe3;
constexpr quint32 LeftControlScanCode = 37;

int qtKeyOf(ShortcutKey key) {
    switch (key) {
    case ShortcutKey::F1:
        return Qt::Key_F1;
    case ShortcutKey::F2:
        return Qt::Key_F2;
    case ShortcutKey::F3:
        return Qt::Key_F3;
    case ShortcutKey::Space:
        return Qt::Key_Space;
    case ShortcutKey::R:
        return Qt::Key_R;
    case ShortcutKey::G:
        return Qt::Key_G;
    case ShortcutKey::C:
        return Qt::Key_C;
    case ShortcutKey::V:
        return Qt::Key_V;
    case ShortcutKey::Delete:
        return Qt::Key_Delete;
    case ShortcutKey::S:
        return Qt::Key_S;
    case ShortcutKey::Z:
        return Qt::Key_Z;
    case ShortcutKey::Y:
        return Qt::Key_Y;
    case ShortcutKey::Up:
        return Qt::Key_Up;
    case ShortcutKey::Down:
        return Qt::Key_Down;
    case ShortcutKey::Plus:
        return Qt::Key_Plus;
    case ShortcutKey::Equal:
        return Qt::Key_Equal;
    case ShortcutKey::Minus:
        return Qt::Key_Minus;
    case ShortcutKey::F:
        return Qt::Key_F;
    case ShortcutKey::E:
        return Qt::Key_E;
    }
    return Qt::Key_unknown;
}

bool isLeftControl(const QKeyEvent& event) {
    return event.key() == Qt::Key_Control && (event.nativeVirtualKey() == LeftControlKeysym ||
                                              event.nativeScanCode() == LeftControlScanCode);
}

} // namespace

InputFilter::InputFilter(EventQueue& events) : events_(events) {}

void InputFilter::setMainWindow(QWidget* window, WindowId windowId) {
    mainWindow_ = window;
    mainWindowId_ = windowId;
}

void InputFilter::addShortcut(ShortcutKey key, std::int32_t modifiers, CommandId commandId) {
    Qt::KeyboardModifiers qtModifiers;
    if (modifiers & Modifier::Control) qtModifiers |= Qt::ControlModifier;
    if (modifiers & Modifier::Shift) qtModifiers |= Qt::ShiftModifier;
    shortcuts_.push_back({qtKeyOf(key), qtModifiers, commandId});
}

std::int32_t InputFilter::trackedKeyState(std::int32_t key) {
    HeldKey* held = nullptr;
    if (key == Key::M) held = &keyM_;
    if (key == Key::LeftControl) held = &leftControl_;
    if (!held) return 0;
    std::int32_t state = held->isDown ? KeyDownNow : 0;
    if (held->wentDown) state |= KeyPressedSince;
    held->wentDown = false;
    return state;
}

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (isDiscardingInput_ && isInput(event->type())) {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            track(static_cast<const QKeyEvent&>(*event));
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& keyEvent = static_cast<const QKeyEvent&>(*event);
        track(keyEvent);
        return queueEntryKey(watched, keyEvent) || fireShortcut(watched, keyEvent);
    }
    case QEvent::KeyRelease:
        track(static_cast<const QKeyEvent&>(*event));
        return false;
    case QEvent::ApplicationDeactivate:
        // Releases that happen in other programs never reach us.
        keyM_ = {};
        leftControl_ = {};
        return false;
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        // The main window's native window sees each mouse event once, before any child widget.
        if (mainWindow_ && watched == mainWindow_->windowHandle())
            handleMainWindowMouse(static_cast<const QMouseEvent&>(*event));
        return false;
    default:
        return false;
    }
}

bool InputFilter::belongsToMainWindow(QObject* watched) const {
    if (!mainWindow_) return false;
    if (watched == mainWindow_->windowHandle()) return true;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == mainWindow_;
}

// The main window itself must be the active one, not merely related to it.
bool InputFilter::isMainWindowActive(QObject* watched) const {
    return belongsToMainWindow(watched) && QApplication::activeWindow() == mainWindow_;
}

void InputFilter::setKeyEntry(bool isOn) {
    isKeyEntry_ = isOn;
    keyM_ = {};
}

bool InputFilter::queueEntryKey(QObject* watched, const QKeyEvent& event) {
    if (!isKeyEntry_ || !isMainWindowActive(watched)) return false;
    const PhysicalKey key = physicalKeyOf(event);
    const std::int32_t modifiers = modifierBitsOf(event);
    if (!isEntryKey(key, modifiers)) return false;
    events_.push(keyEvent(mainWindowId_, key, modifiers, event.isAutoRepeat()));
    return true;
}

bool InputFilter::fireShortcut(QObject* watched, const QKeyEvent& event) {
    if (!isMainWindowActive(watched)) return false;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & MatchedModifiers;
    for (const Shortcut& shortcut : shortcuts_) {
        if (shortcut.qtKey == event.key() && shortcut.modifiers == modifiers) {
            events_.push(commandEvent(mainWindowId_, shortcut.commandId));
            return true;
        }
    }
    return false;
}

void InputFilter::track(const QKeyEvent& event) {
    if (event.isAutoRepeat()) return;
    HeldKey* held = nullptr;
    if (event.key() == Qt::Key_M && !isKeyEntry_) held = &keyM_;
    if (isLeftControl(event)) held = &leftControl_;
    if (!held) return;
    const bool isDown = event.type() == QEvent::KeyPress;
    if (isDown && !held->isDown) held->wentDown = true;
    held->isDown = isDown;
}

void InputFilter::handleMainWindowMouse(const QMouseEvent& event) {
    if (event.type() == QEvent::MouseMove) {
        events_.push({EventKind::PointerMove, mainWindowId_});
    } else if (event.button() == Qt::LeftButton) {
        events_.push({EventKind::LeftRelease, mainWindowId_});
    }
}

} // namespace vemo
