#pragma once

#include "view/EditorContext.h"

namespace vemo {

// The line over the grid image at the moment being heard, moved without a grid pass. While the
// view follows the playback (the user asked for it, and has not scrolled since) it jumps when
// the cursor would leave it, so that the cursor stands a quarter of the width from the left;
// never while a mouse button is held or a stroke is open. No playback: no line.
void showPlaybackCursor(EditorContext& editor);

// The column under the pointer, or the first visible one when the pointer is off the grid.
std::int32_t columnToPlayFrom(const EditorState& state);

} // namespace vemo
