#pragma once

#include "app/ProgramContext.h"

#include <map>
#include <string>

namespace vemo {

// The toolbar icons by the name of their file.
using Icons = std::map<std::string, Image, std::less<>>;

// Images read from Data/ at start-up; they live until the end of the program.
struct Resources {
    CellBitmaps bitmaps;
    Icons icons;
};

constexpr std::int32_t ExitNormal = 0;
constexpr std::int32_t ExitFailure = 1;

// Start values, Data files, windows, controls, menus and shortcuts. On a failure the "error" box
// has been shown and the result is false.
bool startUp(EditorState& state, Resources& resources, Platform& platform, ProgramContext& context);

// The main window unfolding with the rising sweep, then the first melody drawn.
void openMainWindow(EditorContext& editor);
// The window folding up with the falling sweep.
void closeMainWindow(EditorContext& editor);
// Stops the workers so that nothing outlives the program, and gives its exit code.
std::int32_t endProgram(EditorState& state, Platform& platform, std::int32_t exitCode);

// The whole program from start-up to the end; returns the exit code.
std::int32_t runProgram(Platform& platform, ProgramContext& context);

} // namespace vemo
