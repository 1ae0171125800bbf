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

    bool createWindow(std::int32_t windowId, WindowStyle style, const std::string& title,
                      Rect placement) override;
    void setWindowTitle(std::int32_t windowId, const std::string& title) override;
    std::string windowTitle(std::int32_t windowId) override;
    void placeWindow(std::int32_t windowId, std::int32_t x, std::int32_t y,
                     std::int32_t clientWidth, std::int32_t clientHeight) override;
    void setClientSize(std::int32_t windowId, std::int32_t clientWidth,
                       std::int32_t clientHeight) override;
    Size clientSize(std::int32_t windowId) override;
    void setMinimumClientSize(std::int32_t windowId, std::int32_t clientWidth,
                              std::int32_t clientHeight) override;
    Point windowPosition(std::int32_t windowId) override;
    void showWindow(std::int32_t windowId, bool activate) override;
    void hideWindow(std::int32_t windowId) override;
    bool isWindowVisible(std::int32_t windowId) override;
    void setProgramIcon(const Image& icon) override;

    bool createToolbar(std::int32_t toolbarId) override;
    void addToolbarButton(std::int32_t commandId, const Image& icon, bool isToggle,
                          const std::string& tooltip) override;
    std::int32_t toolbarHeight() override;
    void setButtonEnabled(std::int32_t commandId, bool enabled) override;
    bool isButtonEnabled(std::int32_t commandId) override;
    bool isButtonPressed(std::int32_t commandId) override;
    void setButtonPressed(std::int32_t commandId, bool pressed) override;
    void setButtonTooltip(std::int32_t commandId, const std::string& tooltip) override;

    bool prepareControls(std::int32_t windowId) override;
    void createImageControl(std::int32_t windowId, std::int32_t controlId, Rect rect) override;
    void createSpin(std::int32_t windowId, std::int32_t controlId, Rect rect, std::int32_t minimum,
                    std::int32_t maximum) override;
    void createLabel(std::int32_t windowId, std::int32_t controlId, Rect rect,
                     const std::string& text) override;
    void createButton(std::int32_t windowId, std::int32_t controlId, Rect rect,
                      const std::string& text) override;
    void createTextEditor(std::int32_t windowId, std::int32_t controlId, Rect rect) override;
    void moveControl(std::int32_t controlId, Rect rect) override;
    Rect controlRect(std::int32_t controlId) override;
    void showImage(std::int32_t controlId, const Image& image) override;
    void showCursorLine(std::int32_t controlId, std::int32_t x, std::uint32_t colour) override;
    std::int32_t spinValue(std::int32_t controlId) override;
    void setSpinValue(std::int32_t controlId, std::int32_t value) override;
    std::string editorText(std::int32_t controlId) override;
    void clearEditor(std::int32_t controlId) override;
    void appendEditorText(std::int32_t controlId, const std::string& text) override;
    void focusControl(std::int32_t controlId) override;
    void setControlText(std::int32_t controlId, const std::string& text) override;

    bool createPopupMenu(std::int32_t menuId, const std::vector<MenuEntry>& entries) override;
    void showPopupMenu(std::int32_t menuId) override;
    std::int32_t chooseFromMenu(const std::vector<std::string>& entries,
                                std::int32_t checked) override;

    void addShortcut(ShortcutKey key, std::int32_t modifiers, std::int32_t commandId) override;

    bool messageBox(const std::string& title, const std::string& text, bool yesNo) override;
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
    QWidget* windowWidget(std::int32_t windowId) const;
    QWidget* controlWidget(std::int32_t controlId) const;
    QToolBar* toolbar() const { return toolbar_; }
    QAction* toolbarAction(std::int32_t commandId) const;
    QMenu* popupMenu(std::int32_t menuId) const;

    // See endOnSignals.
    void watchEndSignals();

  private:
    WindowWidget* window(std::int32_t windowId) const;
    WindowWidget* mainWindow() const;
    template <typename Widget> Widget* control(std::int32_t controlId) const;
    void addControl(std::int32_t controlId, QWidget* widget, Rect rect);
    void applyButtonEnabled(std::int32_t commandId, bool enabled);

    // Declared first so that it outlives every widget that queues into it.
    EventQueue events_;
    InputFilter inputFilter_;
    // Lets a post from a worker thread find out, on the UI thread, whether this object still lives.
    std::shared_ptr<char> aliveToken_;
    std::map<std::int32_t, WindowWidget*> windows_;
    std::vector<std::int32_t> windowOrder_;
    std::int32_t mainWindowId_ = -1;
    QToolBar* toolbar_ = nullptr;
    std::map<std::int32_t, QAction*> buttons_;
    std::map<std::int32_t, QWidget*> controls_;
    std::map<std::int32_t, std::unique_ptr<QMenu>> menus_;
    std::unique_ptr<QSocketNotifier> endSignals_;
    // Kept through drains: a drain must not swallow the request to end.
    bool isEndRequested_ = false;
};

} // namespace vemo
