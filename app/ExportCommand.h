#pragma once

#include "model/StepKind.h"
#include "view/EditorContext.h"

namespace vemo {

// "export": the save dialog with a filter per format, then the file in the chosen format, of the
// same range that "sing" plays. What the format's target cannot play is said before anything is
// written, with the choice to write anyway, to go back, or, where moving notes by octaves is the
// fix, to move them first: the step it makes is the answer.
StepKind exportMelody(EditorContext& editor);

} // namespace vemo
