#pragma once

#include "model/EditorState.h"
#include "platform/Platform.h"
#include "view/GridPass.h"

namespace vemo {

// What a mouse edit asks for once the grid has been drawn.
struct EditOutcome {
    std::int32_t previewFrequencyHz = 0; // 0: no preview tone
};

// The mouse edit, offered every visible cell by the grid pass just before the cell is drawn.
// editFlag is EditLeft or EditRight; only the cell under (mouseX, mouseY) is changed. offsets
// are the pass's own, computed once for all its cells.
EditOutcome editStep(EditorState& state, Platform& platform, std::int32_t column, std::int32_t row,
                     std::int32_t editFlag, ScrollOffsets offsets);

// Switches the selection on together with its toolbar toggle.
void showSelectionInUse(Selection& selection, Ui& ui);

} // namespace vemo
