#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"
#include "view/CellBitmaps.h"

namespace vemo {

// What the editor's operations work on: the state, the loaded cell bitmaps and the platform.
struct Editor {
    EditorState& state;
    const CellBitmaps& bitmaps;
    Platform& platform;
};

} // namespace vemo
