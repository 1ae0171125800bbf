#pragma once

#include <cstdint>

// Ids of windows, controls, commands and menus. Each group is a name space of its own.
namespace vemo {

namespace WindowId {
constexpr std::int32_t Main = 0;
constexpr std::int32_t Code = 24;
constexpr std::int32_t NewMelody = 27;
} // namespace WindowId

constexpr std::int32_t ToolbarId = 5;

namespace ControlId {
constexpr std::int32_t DurationSpin = 1;
constexpr std::int32_t VerImage = 2;  // horizontal scroll bar above the grid
constexpr std::int32_t HorImage = 3;  // vertical scroll bar beside the grid
constexpr std::int32_t MainImage = 4; // the grid
constexpr std::int32_t CodeEditor = 25;
constexpr std::int32_t CodeCopy = 26;
constexpr std::int32_t Apply = 28;
constexpr std::int32_t Cancel = 29;
constexpr std::int32_t WidthLabel = 30;
constexpr std::int32_t WidthSpin = 31;
constexpr std::int32_t SmallBlockLabel = 32;
constexpr std::int32_t SmallBlockSpin = 33;
constexpr std::int32_t LargeBlockLabel = 34;
constexpr std::int32_t LargeBlockSpin = 35;
constexpr std::int32_t PointerReadout = 60; // note, frequency, column and time under the pointer
} // namespace ControlId

namespace CommandId {
constexpr std::int32_t Spacer1 = 6;
constexpr std::int32_t Spacer2 = 7;
constexpr std::int32_t Spacer3 = 8;
constexpr std::int32_t Sing = 9;
constexpr std::int32_t ShutUp = 10;
constexpr std::int32_t ToggleRepeat = 11;
constexpr std::int32_t GetCode = 12;
constexpr std::int32_t New = 13;
constexpr std::int32_t Load = 14;
constexpr std::int32_t Save = 15;
constexpr std::int32_t ToggleSelection = 16;
constexpr std::int32_t Copy = 17;
constexpr std::int32_t Paste = 18;
constexpr std::int32_t SpaceKey = 19;
constexpr std::int32_t Help = 20;
constexpr std::int32_t RepeatKey = 21;
constexpr std::int32_t SelectionKey = 22;
constexpr std::int32_t DeleteKey = 23;
constexpr std::int32_t MenuCancel = 37;
constexpr std::int32_t DeleteColumn = 38;
constexpr std::int32_t InsertColumn = 39;
constexpr std::int32_t PasteLayoutOnly = 42;
constexpr std::int32_t PasteNotesOnly = 43;
constexpr std::int32_t PasteNotesAndLayout = 44;
constexpr std::int32_t Undo = 45;               // toolbar "undo", Ctrl+Z
constexpr std::int32_t Redo = 46;               // toolbar "redo", Ctrl+Y, Ctrl+Shift+Z
constexpr std::int32_t PlayFromPointerKey = 47; // Shift+Space
constexpr std::int32_t TransposeUp = 48;         // Ctrl+Up: one row higher
constexpr std::int32_t TransposeDown = 49;       // Ctrl+Down
constexpr std::int32_t OctaveUp = 50;            // Ctrl+Shift+Up: twelve rows higher
constexpr std::int32_t OctaveDown = 51;          // Ctrl+Shift+Down
constexpr std::int32_t ZoomIn = 52;              // Ctrl+Plus, Ctrl+=
constexpr std::int32_t ZoomOut = 53;             // Ctrl+Minus
constexpr std::int32_t Export = 54;              // toolbar "export"
constexpr std::int32_t FollowPlayback = 55;      // toolbar toggle "follow playback"
constexpr std::int32_t FollowKey = 56;           // Ctrl+F
} // namespace CommandId

namespace MenuId {
constexpr std::int32_t Column = 36;
constexpr std::int32_t Paste = 40;
} // namespace MenuId

// Control event types.
constexpr std::int32_t LeftClick = 0;
constexpr std::int32_t RightClick = 1;

} // namespace vemo
