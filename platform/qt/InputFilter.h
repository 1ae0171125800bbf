#pragma once

#include "platform/Ui.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <vector>

class QKeyEvent;
class QMouseEvent;

namespace vemo {

class EventQueue;

// The modifiers a shortcut must match exactly; keypad and group switches do not count.
constexpr Qt::KeyboardModifiers MatchedModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Watches every event of the application before its receiver does: the main window's shortcuts
// (ahead of the focused control, as window accelerators are), the keys the program asks about
// at the moment, and the main window's pointer moves and left-button releases.
class InputFilter final : public QObject {
    Q_OBJECT
  public:
    explicit InputFilter(EventQueue& events);

    void setMainWindow(QWidget* window, WindowId windowId);
    void addShortcut(ShortcutKey key, std::int32_t modifiers, CommandId commandId);

    // Keys only the key events tell about; the answer follows keyState's bits.
    std::int32_t trackedKeyState(std::int32_t key);

    // While set, mouse, key and wheel input is swallowed before any widget sees it (the keys
    // asked about are still tracked): a drain must not let a toggle flip or a spin step
    // while the program drops its own events.
    void setDiscardingInput(bool isDiscarding) { isDiscardingInput_ = isDiscarding; }

    // While on, the entry keys of the main window are queued as Key events, not as shortcuts,
    // and M no longer counts as held for panning.
    void setKeyEntry(bool isOn);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Shortcut {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        CommandId commandId;
    };
    struct HeldKey {
        bool isDown = false;
        bool wentDown = false;
    };

    bool belongsToMainWindow(QObject* watched) const;
    bool isMainWindowActive(QObject* watched) const;
    bool fireShortcut(QObject* watched, const QKeyEvent& event);
    bool queueEntryKey(QObject* watched, const QKeyEvent& event);
    void track(const QKeyEvent& event);
    void handleMainWindowMouse(const QMouseEvent& event);

    EventQueue& events_;
    QPointer<QWidget> mainWindow_;
    WindowId mainWindowId_ = NoWindow;
    std::vector<Shortcut> shortcuts_;
    HeldKey keyM_;
    HeldKey leftControl_;
    bool isDiscardingInput_ = false;
    bool isKeyEntry_ = false;
};

} // namespace vemo
