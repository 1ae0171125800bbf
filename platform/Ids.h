#pragma once

#include <cstdint>

// Ids of windows, controls, commands and menus. Each group is a name space of its own.
namespace vemo {

enum class WindowId : std::int32_t {
    Main = 0,
    Code = 24,
    NewMelody = 27,
};

constexpr std::int32_t ToolbarId = 5;

enum class ControlId : std::int32_t {
    DurationSpin = 1,
    VerImage = 2,  // horizontal scroll bar above the grid
    HorImage = 3,  // vertical scroll bar beside the grid
    MainImage = 4, // the grid
    CodeEditor = 25,
    CodeCopy = 26,
    Apply = 28,
    Cancel = 29,
    WidthLabel = 30,
    WidthSpin = 31,
    SmallBlockLabel = 32,
    SmallBlockSpin = 33,
    LargeBlockLabel = 34,
    LargeBlockSpin = 35,
    PointerReadout = 60, // note, frequency, column and time under the pointer
    EntryReadout = 62,   // key entry's octave and step, below it (61 was the code window's old chooser)
};

enum class CommandId : std::int32_t {
    Spacer1 = 6,
    Spacer2 = 7,
    Spacer3 = 8,
    Sing = 9,
    ShutUp = 10,
    ToggleRepeat = 11,
    GetCode = 12,
    New = 13,
    Load = 14,
    Save = 15,
    ToggleSelection = 16,
    Copy = 17,
    Paste = 18,
    SpaceKey = 19,
    Help = 20,
    RepeatKey = 21,
    SelectionKey = 22,
    DeleteKey = 23,
    MenuCancel = 37,
    DeleteColumn = 38,
    InsertColumn = 39,
    PasteLayoutOnly = 42,
    PasteNotesOnly = 43,
    PasteNotesAndLayout = 44,
    Undo = 45,               // toolbar "undo", Ctrl+Z
    Redo = 46,               // toolbar "redo", Ctrl+Y, Ctrl+Shift+Z
    PlayFromPointerKey = 47, // Shift+Space
    TransposeUp = 48,        // Ctrl+Up: one row higher
    TransposeDown = 49,      // Ctrl+Down
    OctaveUp = 50,           // Ctrl+Shift+Up: twelve rows higher
    OctaveDown = 51,         // Ctrl+Shift+Down
    ZoomIn = 52,             // Ctrl+Plus, Ctrl+=
    ZoomOut = 53,            // Ctrl+Minus
    Export = 54,             // toolbar "export"
    FollowPlayback = 55,     // toolbar toggle "follow playback"
    FollowKey = 56,          // Ctrl+F
    KeyEntry = 57,           // toolbar toggle "keyboard entry"
    KeyEntryKey = 58,        // Ctrl+E
};

enum class MenuId : std::int32_t {
    Column = 36,
    Paste = 40,
};

// An event that belongs to no window.
inline constexpr WindowId NoWindow{-1};

// A separator line among a menu's entries: no command.
inline constexpr CommandId SeparatorLine{0};

// The number behind an id, for messages and tables.
template <typename Id> constexpr std::int32_t idNumber(Id id) {
    return static_cast<std::int32_t>(id);
}

// Control event types.
constexpr std::int32_t LeftClick = 0;
constexpr std::int32_t RightClick = 1;

} // namespace vemo
