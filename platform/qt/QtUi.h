#pragma once

#include "platform/Ui.h"
#include "platform/qt/EventQueue.h"
#include "platform/qt/InputFilter.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QSocketNotifier;
class QMenu;
class QToolBar;
class QWidget;

namespace vemo {

class WindowWidget;

// The program's windows, controls and modal boxes on Qt Widgets. Needs a QApplication; every
// call but setButtonEnabled belongs on the thread that runs it.
class QtUi final : public Ui {
  public:
    QtUi();
    ~QtUi() override;
    QtUi(const QtUi&) = delete;
    QtUi& operator=(const QtUi&) = delete;

    bool createWindow(WindowId windowId, WindowStyle style, const std::string& title,
                      Rect placement) override;
    void setWindowTitle(WindowId windowId, const std::string& title) override;
    std::string windowTitle(WindowId windowId) override;
    void placeWindow(WindowId windowId, std::int32_t x, std::int32_t y, std::int32_t clientWidth,
                     std::int32_t clientHeight) override;
    void setClientSize(WindowId windowId, std::int32_t clientWidth,
                       std::int32_t clientHeight) override;
    Size clientSize(WindowId windowId) override;
    void setMinimumClientSize(WindowId windowId, std::int32_t clientWidth,
                              std::int32_t clientHeight) override;
    Point windowPosition(WindowId windowId) override;
    void showWindow(WindowId windowId, bool activate) override;
    void hideWindow(WindowId windowId) override;
    bool isWindowVisible(WindowId windowId) override;
    void setProgramIcon(const Image& icon) override;

    bool createToolbar(std::int32_t toolbarId) override;
    void addToolbarButton(CommandId commandId, const Image& icon, bool isToggle,
                          const std::string& tooltip) override;
    std::int32_t toolbarHeight() override;
    void setButtonEnabled(CommandId commandId, bool enabled) override;
    bool isButtonEnabled(CommandId commandId) override;
    bool isButtonPressed(CommandId commandId) override;
    void setButtonPressed(CommandId commandId, bool pressed) override;
    void setButtonTooltip(CommandId commandId, const std::string& tooltip) override;

    bool prepareControls(WindowId windowId) override;
    void createImageControl(WindowId windowId, ControlId controlId, Rect rect) override;
    void createSpin(WindowId windowId, ControlId controlId, Rect rect, std::int32_t minimum,
                    std::int32_t maximum) override;
    void createLabel(WindowId windowId, ControlId controlId, Rect rect,
                     const std::string& text) override;
    void createButton(WindowId windowId, ControlId controlId, Rect rect,
                      const std::string& text) override;
    void createTextEditor(WindowId windowId, ControlId controlId, Rect rect) override;
    void moveControl(ControlId controlId, Rect rect) override;
    Rect controlRect(ControlId controlId) override;
    void showImage(ControlId controlId, const Image& image) override;
    void showCursorLine(ControlId controlId, std::int32_t x, std::uint32_t colour) override;
    void showColumnMark(ControlId controlId, std::int32_t x, std::int32_t width,
                        std::uint32_t colour) override;
    std::int32_t spinValue(ControlId controlId) override;
    void setSpinValue(ControlId controlId, std::int32_t value) override;
    std::string editorText(ControlId controlId) override;
    void clearEditor(ControlId controlId) override;
    void appendEditorText(ControlId controlId, const std::string& text) override;
    void focusControl(ControlId controlId) override;
    void setControlText(ControlId controlId, const std::string& text) override;

    bool createPopupMenu(MenuId menuId, const std::vector<MenuEntry>& entries) override;
    void showPopupMenu(MenuId menuId) override;
    std::int32_t chooseFromMenu(const std::vector<std::string>& entries,
                                std::int32_t checked) override;

    void addShortcut(ShortcutKey key, std::int32_t modifiers, CommandId commandId) override;
    void setKeyEntry(bool isOn) override;

    bool messageBox(const std::string& title, const std::string& text, bool yesNo) override;
    std::int32_t askChoice(const std::string& title, const std::string& text,
                           const std::vector<std::string>& buttons) override;
    FileChoice fileDialog(const FileDialog& dialog) override;
    FormAnswer showForm(const Form& form, const FormNote& note) override;
    void setClipboardText(const std::string& text) override;
    bool openWithShell(const std::string& path) override;

    Point pointer() override;
    double devicePixelRatio() override;
    std::int32_t keyState(std::int32_t key) override;

    Event waitEvent(std::int32_t timeoutMs) override;
    void drainEvents() override;

    bool loadImage(const std::string& path, Image& image) override;
    std::string setting(const std::string& key) override;
    void storeSetting(const std::string& key, const std::string& value) override;

    // The Qt objects behind the ids, for code that needs the toolkit itself; null when unknown.
    QWidget* windowWidget(WindowId windowId) const;
    QWidget* controlWidget(ControlId controlId) const;
    QToolBar* toolbar() const { return toolbar_; }
    QAction* toolbarAction(CommandId commandId) const;
    QMenu* popupMenu(MenuId menuId) const;

    // See endOnSignals.
    void watchEndSignals();

  private:
    WindowWidget* window(WindowId windowId) const;
    WindowWidget* mainWindow() const;
    template <typename Widget> Widget* control(ControlId controlId) const;
    void addControl(ControlId controlId, QWidget* widget, Rect rect);
    void applyButtonEnabled(CommandId commandId, bool enabled);

    // Declared first so that it outlives every widget that queues into it.
    EventQueue events_;
    InputFilter inputFilter_;
    // Lets a post from a worker thread find out, on the UI thread, whether this object still lives.
    std::shared_ptr<char> aliveToken_;
    std::map<WindowId, WindowWidget*> windows_;
    std::vector<WindowId> windowOrder_;
    WindowId mainWindowId_ = NoWindow;
    QToolBar* toolbar_ = nullptr;
    std::map<CommandId, QAction*> buttons_;
    std::map<ControlId, QWidget*> controls_;
    std::map<MenuId, std::unique_ptr<QMenu>> menus_;
    std::unique_ptr<QSocketNotifier> endSignals_;
    // Kept through drains: a drain must not swallow the request to end.
    bool isEndRequested_ = false;
};

} // namespace vemo
