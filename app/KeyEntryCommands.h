#pragma once

#include "model/StepKind.h"
#include "platform/Ui.h"
#include "view/EditorContext.h"

namespace vemo {

// The toolbar toggle "keyboard entry" as it now stands: on, the edit cursor starts at the
// selection's first column when the selection is in use, else at the first visible column.
StepKind takeKeyEntryToggle(EditorContext& editor);
// Ctrl+E: flips the toggle, then takes it.
StepKind flipKeyEntryToggle(EditorContext& editor);

// A key delivered while key entry is on: a note, a rest, a cursor move, an octave or step change,
// a column inserted or deleted, or leaving the mode.
StepKind onEntryKey(EditorContext& editor, const Event& event);

// A left click on the grid during key entry puts the cursor on the clicked column.
void moveEditCursorToClick(EditorContext& editor);

} // namespace vemo
