#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"
#include "view/CellBitmaps.h"
#include "view/ViewImages.h"

namespace vemo {

// What the editor's operations work on: the state, the loaded cell bitmaps, the images the view
// shows and the platform.
struct EditorContext {
    EditorState& state;
    const CellBitmaps& bitmaps;
    ViewImages& images;
    Platform& platform;
};

} // namespace vemo
