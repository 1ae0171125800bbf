#pragma once

#include "model/Tones.h"

#include <string>
#include <vector>

namespace vemo {

// The program text a tone list can be written as: vemo's own statements, Arduino sketches, the
// Linux `beep` command and a plain C table. Their names are the format registry's
// (convert/Formats.h).
enum class CodeDialect { Beep, Arduino, ArduinoTable, LinuxBeep, CArray };

// The text of the tones in the dialect, line by line; no tones give no text.
std::vector<std::string> codeLinesFor(CodeDialect dialect, const ToneList& tones);

} // namespace vemo
