#pragma once

#include "platform/Platform.h"
#include "tests/support/TypedIds.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vemo::test {

struct FakeWindow {
    WindowStyle style = WindowStyle::Main;
    std::string title;
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    bool visible = false;
    std::int32_t minimumWidth = 0, minimumHeight = 0;
};

struct FakeButton {
    CommandId commandId = SeparatorLine;
    bool isToggle = false;
    bool enabled = true;
    bool pressed = false;
    std::string tooltip;
    Image icon;
};

enum class ControlKind { Image, Spin, Label, Button, Editor };

struct FakeControl {
    WindowId window = WindowId::Main;
    ControlKind kind = ControlKind::Image;
    Rect rect;
    std::int32_t minimum = 0, maximum = 0, value = 0;
    std::string text;
};

struct BoxCall {
    std::string title;
    std::string text;
    bool yesNo = false;
};

struct DialogCall {
    std::string title;
    std::string defaultPath;
    std::string filter;
    std::int32_t filterIndex = 0;
    std::string recentFolder;
};

struct ChooseCall {
    std::vector<std::string> entries;
    std::int32_t checked = -1;
};

struct ShortcutCall {
    ShortcutKey key;
    std::int32_t modifiers;
    CommandId commandId;
};

// Records every call and answers from scripts; what a test does not script gets a plain answer.
class FakeUi final : public Ui {
  public:
    // Scripts
    std::deque<Event> events;               // arrive one per wait, in order
    std::deque<Event> pendingEvents;        // already queued: handed out first, dropped by a drain
    std::deque<bool> boxAnswers;            // empty: true (OK / Yes)
    std::deque<std::int32_t> choiceAnswers; // askChoice; empty: the box is closed
    std::deque<std::string> openAnswers;
    std::deque<std::string> saveAnswers;
    std::deque<std::int32_t>
        saveFilterAnswers;         // the filter chosen with each save answer; empty: as preselected
    std::deque<bool> shellAnswers; // empty: true
    std::deque<FormAnswer> formAnswers;        // empty: the form is cancelled
    std::deque<CommandId> menuChoices;         // a command queued when a popup menu is shown
    std::deque<std::int32_t> chooseAnswers;    // chooseFromMenu; empty: dismissed
    std::map<std::string, Image> imageFiles;   // loadImage by path
    std::map<std::int32_t, std::int32_t> keys; // keyState by key, held until changed
    std::map<std::int32_t, std::deque<std::int32_t>> keyAnswers; // one-off answers first
    Point pointerAt{-1, -1};
    double devicePixelRatioValue = 1.0;
    std::int32_t toolbarHeightValue = 39;
    std::vector<std::string> failCreations; // "window:0", "toolbar", "controls:24", "menu:36"

    // Records
    std::map<WindowId, FakeWindow> windows;
    std::vector<WindowId> windowOrder;
    std::vector<FakeButton> buttons;
    std::vector<ControlId> controlOrder;
    std::map<ControlId, FakeControl> controls;
    std::map<ControlId, Image> shownImages;
    std::map<ControlId, int> showImageCount;
    std::map<ControlId, std::int32_t> cursorLineX; // -1: none
    std::map<ControlId, std::int32_t> columnMarkX; // -1: none
    bool isKeyEntry = false;
    std::map<MenuId, std::vector<MenuEntry>> menus;
    std::vector<MenuId> shownMenus;
    std::vector<ChooseCall> chooseMenus;
    std::vector<ShortcutCall> shortcuts;
    std::vector<BoxCall> boxes; // askChoice's boxes too, with yesNo false
    std::vector<std::vector<std::string>> choiceButtons;
    std::vector<DialogCall> openDialogs;
    std::vector<DialogCall> saveDialogs;
    std::vector<std::string> shellOpened;
    std::vector<Form> forms;
    std::vector<std::string> formNotes;  // the note as the form opened, then for the answer
    std::vector<std::string> placements; // "id x y w h" of every placeWindow
    std::string clipboard;
    std::vector<std::int32_t> waitTimeouts;
    int pointerReads = 0;
    int drainCount = 0;
    std::optional<ControlId> focusedControl;
    bool programIconSet = false;

    FakeButton* button(CommandId commandId);
    bool buttonEnabled(CommandId commandId); // thread-safe read
    void addAllDataFiles(std::int32_t cellWidth = 11, std::int32_t cellHeight = 7);

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
    void showColumnMark(ControlId controlId, std::int32_t x, std::int32_t, std::uint32_t) override {
        columnMarkX[controlId] = x;
    }
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
    void setKeyEntry(bool isOn) override { isKeyEntry = isOn; }
    bool messageBox(const std::string& title, const std::string& text, bool yesNo) override;
    std::int32_t askChoice(const std::string& title, const std::string& text,
                           const std::vector<std::string>& buttons) override;
    FileChoice fileDialog(const FileDialog& dialog) override;
    FormAnswer showForm(const Form& form, const FormNote& note) override;
    void setClipboardText(const std::string& text) override;
    bool openWithShell(const std::string& path) override;
    Point pointer() override;
    double devicePixelRatio() override { return devicePixelRatioValue; }
    std::int32_t keyState(std::int32_t key) override;
    Event waitEvent(std::int32_t timeoutMs) override;
    void drainEvents() override;
    bool loadImage(const std::string& path, Image& image) override;
    std::string setting(const std::string& key) override { return settings[key]; }
    void storeSetting(const std::string& key, const std::string& value) override {
        settings[key] = value;
    }
    std::map<std::string, std::string> settings;

  private:
    bool failing(const std::string& what) const;
    int idleWaits_ = 0;
    std::mutex buttonsMutex_; // worker threads set enabled states
};

// Every beeper call, in order; optionally each call blocks until released.
class RecordingBeeper final : public Beeper {
  public:
    struct Call {
        std::int32_t frequencyHz = 0; // 0 for a rest
        std::int32_t durationMs = 0;
        bool isRest = false;
        friend bool operator==(const Call&, const Call&) = default;
    };

    void beep(std::int32_t frequencyHz, std::int32_t durationMs,
              const StopFlag* stop = nullptr) override;
    void rest(std::int32_t durationMs, const StopFlag* stop = nullptr) override;
    void abort() override;
    void finish() override { ++finishCount; }
    // The clock a test sets: both what is heard and where the next event starts.
    std::int64_t heardUs() override { return clockUs.load(); }
    std::int64_t nextStartUs() override { return clockUs.load(); }
    std::atomic<std::int64_t> clockUs{-1};
    std::atomic<int> finishCount{0};

    std::vector<Call> calls();
    // While held, every call waits until release() or abort().
    void hold();
    void release();
    // Waits until at least count calls have been made (or a generous time-out passed).
    bool waitForCalls(std::size_t count);

  private:
    void record(Call call, const StopFlag* stop);
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Call> calls_;
    bool held_ = false;
    bool aborted_ = false;
};

// Real threads (tracked and joined at the end), a virtual clock for sleeps.
class FakeRuntime final : public Runtime {
  public:
    ~FakeRuntime() override;
    ThreadHandle startThread(std::function<void()> body) override;
    void sleepMs(std::int32_t milliseconds) override;
    std::int64_t nowMs() override;

    void joinAll();
    // While held, started threads wait before running their body.
    void holdThreadStarts();
    void releaseThreadStarts();
    bool failThreadStart = false;
    int threadsStarted = 0;
    std::vector<std::int32_t> sleeps;
    // Called on every sleep, e.g. to let a worker finish while the program polls.
    std::function<void()> onSleep;

  private:
    std::int64_t nowMs_ = 0;
    std::vector<std::thread> threads_;
    std::shared_ptr<std::atomic<int>> liveThreads_ = std::make_shared<std::atomic<int>>(0);
    struct StartGate {
        std::mutex mutex;
        std::condition_variable opened;
        bool held = false;
    };
    std::shared_ptr<StartGate> gate_ = std::make_shared<StartGate>();
};

struct FakePlatform {
    ~FakePlatform() {
        beeper.abort();
        runtime.joinAll();
    }
    FakeUi ui;
    RecordingBeeper beeper;
    FakeRuntime runtime;
    Platform platform{ui, beeper, runtime};
};

} // namespace vemo::test
