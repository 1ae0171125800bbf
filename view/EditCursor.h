#pragma once

#include "view/EditorContext.h"

#include <string>

namespace vemo {

// The column whose cells span contentX (the gap before a column is its own), within the melody.
std::int32_t columnAtContentX(const Melody& melody, std::int32_t contentX);

// The first column the grid shows, and how many columns one screen of the grid holds.
std::int32_t firstVisibleColumn(const EditorState& state);
std::int32_t columnsPerScreen(const EditorState& state);

// Scrolls the view, and redraws it, when the edit cursor's column is not wholly in view.
void keepEditCursorInView(EditorContext& editor);

// Every pass: the outline of the edit cursor's column over the grid while key entry is on,
// drawn by the platform over the image, no grid pass.
void showEditCursor(EditorContext& editor);

// The entry's octave and step, a line each under the pointer readout: empty while entry is off.
std::string entryReadout(const KeyEntry& entry);

} // namespace vemo
