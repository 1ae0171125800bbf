#pragma once

#include "view/Editor.h"

namespace vemo {

// "export": the save dialog with a filter per format, then the file in the chosen format, of the
// same range that "sing" plays.
void exportMelody(Editor& editor);

} // namespace vemo
