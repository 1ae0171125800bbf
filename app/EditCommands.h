#pragma once

#include "model/StepKind.h"
#include "view/EditorContext.h"

namespace vemo {

// The commands that change the selected columns or the columns around the column menu's one.
// Each gives the kind of step it made.

// The toolbar toggle "toggle selection usage" (from the key S it is flipped first).
StepKind takeSelectionToggle(EditorContext& editor);
StepKind flipSelectionToggle(EditorContext& editor);
// Ctrl+C: the selected columns go to the internal clipboard when the selection is in use.
StepKind copyColumns(EditorContext& editor);
// Ctrl+V: the paste menu, when the selection is in use and no paste waits.
StepKind offerPaste(EditorContext& editor);
// The paste chosen from the paste menu, carried out in the pass that received the choice.
StepKind runPaste(EditorContext& editor);
// Delete: the selected columns emptied.
StepKind clearColumns(EditorContext& editor);
// The column menu's entries, at the column it was opened on.
StepKind insertColumnAtMenu(EditorContext& editor);
StepKind deleteColumnAtMenu(EditorContext& editor);
// Up and down by rows (negative: higher); a note that would leave the grid stops it, with a
// box that says why.
StepKind transpose(EditorContext& editor, std::int32_t rowChange);

} // namespace vemo
