#pragma once

#include "view/EditorContext.h"

namespace vemo {

// Undo and redo. The event loop records after every pass what the pass changed in the melody
// as one step (a stroke, press to release, is one), so no operation can forget to.

// The melody as it stands is where the history starts; nothing to undo or redo.
void startHistory(EditorContext& editor);
// One step for what changed since the last, named by state.shell.stepName; waits while a
// stroke is open or the right button erases.
void recordStep(EditorContext& editor);
// Before an event is handled: the selection it starts from belongs to the step it may make.
void keepStepSelection(EditorContext& editor);
void undoStep(EditorContext& editor);
void redoStep(EditorContext& editor);

} // namespace vemo
