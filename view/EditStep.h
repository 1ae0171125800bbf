#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"

namespace vemo {

// What a mouse edit asks for once the grid has been drawn.
struct EditOutcome {
    std::int32_t previewFrequencyHz = 0; // 0: no preview tone
};

// The mouse edit, offered every visible cell by the grid pass just before the cell is drawn.
// editFlag is EditLeft or EditRight; only the cell under (mouseX, mouseY) is changed.
EditOutcome editStep(EditorState& state, Platform& platform, std::int32_t column,
                     std::int32_t row, std::int32_t editFlag);

} // namespace vemo
