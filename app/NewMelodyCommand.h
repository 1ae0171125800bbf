#pragma once

#include "model/StepKind.h"
#include "view/EditorContext.h"

namespace vemo {

// The selection toggle shows what a replaced melody leaves: the selection not in use.
void showSelectionReset(Ui& ui);

// An empty melody of the current lastColumn and block sizes, drawn, the window untitled.
void newMelody(EditorContext& editor);

// An empty melody of these dimensions, the dialog hidden.
void applyNewMelody(EditorContext& editor, std::int32_t width, std::int32_t smallBlock,
                    std::int32_t largeBlock);

// The "apply" button of the new-melody dialog: the dimensions its spins show.
StepKind applyNewMelodyDialog(EditorContext& editor);

} // namespace vemo
