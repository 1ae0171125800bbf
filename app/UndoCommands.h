#pragma once

#include "model/StepKind.h"
#include "view/EditorContext.h"

namespace vemo {

// Undo and redo. Every change to the melody passes one seam: at the end of each pass of the
// event loop with input, the history compares the melody with its compact copy and records
// what changed as one named step (a stroke, press to release, is one), so no operation can
// forget to record itself. Handlers only say what kind of step they made.

// The melody as it stands is where the history starts; nothing to undo or redo.
void startHistory(EditorContext& editor);
// What a handler made names the step being recorded: a later kind wins, but a drag (isDrag)
// only names a step that nothing has named yet, as its press began the stroke.
void nameStep(Shell& shell, StepKind kind, bool isDrag);
// One step for what changed since the last, under the name the handlers gave; waits while a
// stroke is open or the right button erases.
void recordStep(EditorContext& editor);
// Before an event is handled: the selection it starts from belongs to the step it may make.
void keepStepSelection(EditorContext& editor);
void undoStep(EditorContext& editor);
void redoStep(EditorContext& editor);

} // namespace vemo
