#pragma once

#include "platform/Ids.h"
#include "platform/Image.h"
#include "platform/PhysicalKey.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vemo {

// Keys and buttons for keyState, in the numbering the program thinks in.
namespace Key {
constexpr std::int32_t LeftButton = 1;
constexpr std::int32_t RightButton = 2;
constexpr std::int32_t MiddleButton = 4;
constexpr std::int32_t Shift = 16;
constexpr std::int32_t M = 77;
constexpr std::int32_t LeftControl = 162;
} // namespace Key

// keyState answer: the key went down since the last query, and the top bit: it is down now.
constexpr std::int32_t KeyPressedSince = 0x0001;
constexpr std::int32_t KeyDownNow = 0x8000;

// EndRequest: the system asks the program to end (a termination signal), without questions.
// CtrlWheel: the mouse wheel turned over an image control while Ctrl alone was held.
// Key: a key pressed while key entry is on (setKeyEntry), by its place on the keyboard.
enum class EventKind {
    None,
    Close,
    Size,
    Command,
    Control,
    LeftRelease,
    PointerMove,
    EndRequest,
    CtrlWheel,
    Key
};

struct Event {
    EventKind kind = EventKind::None;
    WindowId window = NoWindow;
    CommandId command = SeparatorLine;      // command events
    ControlId control{};                    // control events; the image control of a CtrlWheel
    std::int32_t type = 0;                  // control events: 0 left click, 1 right click
    std::int32_t steps = 0;                 // CtrlWheel: whole notches, positive away from the user
    PhysicalKey key = PhysicalKey::Unknown; // Key events
    std::int32_t modifiers = 0;             // Key events: Modifier bits
    bool isAutoRepeat = false;              // Key events: the key is held and repeats
};

inline Event commandEvent(WindowId window, CommandId command) {
    Event event{EventKind::Command, window};
    event.command = command;
    return event;
}

inline Event keyEvent(WindowId window, PhysicalKey key, std::int32_t modifiers,
                      bool isAutoRepeat = false) {
    Event event{EventKind::Key, window};
    event.key = key;
    event.modifiers = modifiers;
    event.isAutoRepeat = isAutoRepeat;
    return event;
}

inline Event controlEvent(WindowId window, ControlId control, std::int32_t type) {
    Event event{EventKind::Control, window};
    event.control = control;
    event.type = type;
    return event;
}

struct Rect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct Point {
    std::int32_t x = -1;
    std::int32_t y = -1;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

enum class WindowStyle {
    Main,   // caption, system menu, minimize, maximize, sizing border
    Tool,   // the same, not owned by the main window
    Dialog, // caption and system menu only, owned by the main window
};

// A menu entry; SeparatorLine makes a separator line.
struct MenuEntry {
    CommandId commandId = SeparatorLine;
    std::string text;
};

// A file dialog to open or to save. It opens at startPath (a folder ending in a separator, or a
// file in a folder) with the filter entry filterIndex chosen, counted from 0 in the order of the
// filter list; recentFolder, when not empty, is kept one click away in the sidebar and history.
struct FileDialog {
    bool isSave = false;
    std::string title;
    std::string startPath;
    std::string filter;
    std::int32_t filterIndex = 0;
    std::string recentFolder;
};

// What a file dialog gave: the path (empty when cancelled) and the filter entry in use then.
struct FileChoice {
    std::string path;
    std::int32_t filterIndex = 0;
};

// A modal form: a list to pick one line from, labelled drop-downs below it, and a note the
// program writes for the choices made so far. Entries are chosen by their place, from 0.
struct FormChoice {
    std::string label;
    std::vector<std::string> entries;
    std::int32_t chosen = 0;
};

struct Form {
    std::string title;
    std::string listLabel;
    std::vector<std::string> listEntries;
    std::int32_t listChosen = 0;
    std::vector<FormChoice> choices;
    std::string acceptText; // the button that takes the choices; the other one is "cancel"
};

struct FormAnswer {
    bool isAccepted = false;
    std::int32_t listChosen = 0;
    std::vector<std::int32_t> chosen; // one per drop-down, in order
};

// The form's note for the choices as they stand; isAccepted is false while the form is open.
using FormNote = std::function<std::string(const FormAnswer&)>;

enum class ShortcutKey {
    F1,
    F2,
    F3,
    Space,
    R,
    G,
    C,
    V,
    Delete,
    S,
    Z,
    Y,
    Up,
    Down,
    Plus,
    Equal,
    Minus,
    F,
    E
};

namespace Modifier {
constexpr std::int32_t None = 0;
constexpr std::int32_t Control = 1;
constexpr std::int32_t Shift = 2;
constexpr std::int32_t Other = 4; // Alt, Meta: no shortcut or entry key uses them
} // namespace Modifier

// The keys key entry takes for itself, with the modifiers they take them with: note keys plain
// or with Shift, the cursor and editing keys plain, Ctrl+Delete and Ctrl with the pad's + and -.
inline bool isEntryKey(PhysicalKey key, std::int32_t modifiers) {
    using K = PhysicalKey;
    if (key == K::Unknown) return false;
    if (key == K::Delete || key == K::KeypadPlus || key == K::KeypadMinus)
        return modifiers == Modifier::Control;
    if (key < K::Backspace) return modifiers == Modifier::None || modifiers == Modifier::Shift;
    return modifiers == Modifier::None;
}

// Everything the program asks of the windowing system. Texts use CR LF line breaks; file
// filters are "description|pattern|..." pairs. All calls are made on the UI thread except
// setButtonEnabled, which any thread may call.
class Ui {
  public:
    virtual ~Ui() = default;

    // Windows: position is the outer top-left corner, size the client area.
    virtual bool createWindow(WindowId windowId, WindowStyle style, const std::string& title,
                              Rect placement) = 0;
    virtual void setWindowTitle(WindowId windowId, const std::string& title) = 0;
    virtual std::string windowTitle(WindowId windowId) = 0;
    virtual void placeWindow(WindowId windowId, std::int32_t x, std::int32_t y,
                             std::int32_t clientWidth, std::int32_t clientHeight) = 0;
    virtual void setClientSize(WindowId windowId, std::int32_t clientWidth,
                               std::int32_t clientHeight) = 0;
    virtual Size clientSize(WindowId windowId) = 0;
    // The smallest client size the user may give the window; 0 x 0 lets the program itself
    // place it smaller (the sweeps fold it up to nothing).
    virtual void setMinimumClientSize(WindowId windowId, std::int32_t clientWidth,
                                      std::int32_t clientHeight) = 0;
    virtual Point windowPosition(WindowId windowId) = 0;
    // Shows in the normal state, or maximized again if it was; a minimized window is restored.
    virtual void showWindow(WindowId windowId, bool activate) = 0;
    virtual void hideWindow(WindowId windowId) = 0;
    virtual bool isWindowVisible(WindowId windowId) = 0;
    virtual void setProgramIcon(const Image& icon) = 0;

    // Toolbar on the main window.
    virtual bool createToolbar(std::int32_t toolbarId) = 0;
    virtual void addToolbarButton(CommandId commandId, const Image& icon, bool isToggle,
                                  const std::string& tooltip) = 0;
    virtual std::int32_t toolbarHeight() = 0;
    virtual void setButtonEnabled(CommandId commandId, bool enabled) = 0;
    virtual bool isButtonEnabled(CommandId commandId) = 0;
    virtual bool isButtonPressed(CommandId commandId) = 0;
    virtual void setButtonPressed(CommandId commandId, bool pressed) = 0;
    virtual void setButtonTooltip(CommandId commandId, const std::string& tooltip) = 0;

    // Controls, placed at absolute positions in a window's client area.
    virtual bool prepareControls(WindowId windowId) = 0;
    virtual void createImageControl(WindowId windowId, ControlId controlId, Rect rect) = 0;
    virtual void createSpin(WindowId windowId, ControlId controlId, Rect rect, std::int32_t minimum,
                            std::int32_t maximum) = 0;
    virtual void createLabel(WindowId windowId, ControlId controlId, Rect rect,
                             const std::string& text) = 0;
    // A push button: a click is a control event of type 0, a right click one of type 1.
    virtual void createButton(WindowId windowId, ControlId controlId, Rect rect,
                              const std::string& text) = 0;
    virtual void createTextEditor(WindowId windowId, ControlId controlId, Rect rect) = 0;
    virtual void moveControl(ControlId controlId, Rect rect) = 0;
    virtual Rect controlRect(ControlId controlId) = 0;
    // The image counts screen pixels: the control's size times devicePixelRatio(), rounded.
    virtual void showImage(ControlId controlId, const Image& image) = 0;
    // A vertical line of the colour drawn over the image shown in the control at x (image
    // pixels); x < 0 takes it away. The image itself is not redrawn.
    virtual void showCursorLine(ControlId controlId, std::int32_t x, std::uint32_t colour) = 0;
    // A second mark of its own over the image: the outline of a column from x, width image
    // pixels wide; x < 0 takes it away. The image itself is not redrawn.
    virtual void showColumnMark(ControlId controlId, std::int32_t x, std::int32_t width,
                                std::uint32_t colour) = 0;
    virtual std::int32_t spinValue(ControlId controlId) = 0;
    virtual void setSpinValue(ControlId controlId, std::int32_t value) = 0;
    virtual std::string editorText(ControlId controlId) = 0;
    virtual void clearEditor(ControlId controlId) = 0;
    virtual void appendEditorText(ControlId controlId, const std::string& text) = 0;
    virtual void focusControl(ControlId controlId) = 0;
    // A label's text; the label shrinks its font where a line would not fit its width.
    virtual void setControlText(ControlId controlId, const std::string& text) = 0;

    // Popup menus, shown modally at the pointer; the chosen entry arrives as a command event.
    virtual bool createPopupMenu(MenuId menuId, const std::vector<MenuEntry>& entries) = 0;
    virtual void showPopupMenu(MenuId menuId) = 0;
    // A modal menu at the pointer listing the entries with the checked one marked; the answer is
    // the chosen entry counted from 0, or -1 when the menu was dismissed.
    virtual std::int32_t chooseFromMenu(const std::vector<std::string>& entries,
                                        std::int32_t checked) = 0;

    // Shortcuts of the main window: only while it is active, only with exactly these modifiers,
    // ahead of the focused control.
    virtual void addShortcut(ShortcutKey key, std::int32_t modifiers, CommandId commandId) = 0;
    // Key entry on: the keys that type notes, move the edit cursor or edit at it (isEntryKey)
    // reach the program as Key events instead of firing shortcuts; off: as before.
    virtual void setKeyEntry(bool isOn) = 0;

    // Modal boxes. The answer is true for OK and Yes.
    virtual bool messageBox(const std::string& title, const std::string& text, bool yesNo) = 0;
    // A modal box with a button per answer, the first the default; the answer is the button
    // pressed, counted from 0. Closing the box answers with the last, which must change nothing.
    virtual std::int32_t askChoice(const std::string& title, const std::string& text,
                                   const std::vector<std::string>& buttons) = 0;
    // Cancel gives an empty path.
    virtual FileChoice fileDialog(const FileDialog& dialog) = 0;
    // Shows the form until the user accepts or cancels it; the note is written at the start and
    // again after every change of a choice.
    virtual FormAnswer showForm(const Form& form, const FormNote& note) = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    // Opens a file or folder with its associated program; false when that failed.
    virtual bool openWithShell(const std::string& path) = 0;

    // Input at the moment of the call.
    virtual Point pointer() = 0; // main window client area, (-1, -1) outside
    // Screen pixels per pixel of the main window's client area (2.0 on a doubled screen).
    virtual double devicePixelRatio() = 0;
    virtual std::int32_t keyState(std::int32_t key) = 0;

    // Events: at most one, waiting at most timeoutMs; EventKind::None when none came.
    virtual Event waitEvent(std::int32_t timeoutMs) = 0;
    // Drops every pending event; windows still repaint.
    virtual void drainEvents() = 0;

    virtual bool loadImage(const std::string& path, Image& image) = 0;

    // Small values kept between runs (the folder the file dialogs last used); empty when none.
    virtual std::string setting(const std::string& key) = 0;
    virtual void storeSetting(const std::string& key, const std::string& value) = 0;
};

} // namespace vemo
