#pragma once

#include "view/EditorContext.h"

#include <string>

namespace vemo {

// What lies under the pointer on the grid, a line each: note name and octave, frequency, column,
// time from the start ("A4", "440 Hz", "col 17", "2.04 s"). Empty off the grid; between two
// octaves only the column and the time.
std::string pointerReadout(const EditorState& state);

// Shows it in the label left of the grid when it changed.
void showPointerReadout(EditorContext& editor);

} // namespace vemo
