#pragma once

#include "view/EditorContext.h"

namespace vemo {

// "export": the save dialog with a filter per format, then the file in the chosen format, of the
// same range that "sing" plays.
void exportMelody(EditorContext& editor);

} // namespace vemo
