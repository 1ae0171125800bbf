#pragma once

#include "model/Tones.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vemo {

// The program text a tone list can be written as: vemo's own statements, Arduino sketches, the
// Linux `beep` command, a plain C table and an ESP32 sketch. Their names are the format
// registry's (convert/Formats.h).
enum class CodeDialect { Beep, Arduino, ArduinoTable, LinuxBeep, CArray, Esp32 };

// The text of the tones in the dialect, line by line; no tones give no text.
std::vector<std::string> codeLinesFor(CodeDialect dialect, const ToneList& tones);

// A number counted in units of ten to the -places, with a point and no trailing zeros:
// (240, 3) is "0.24", (2000, 3) is "2", (-3584, 2) is "-35.84".
std::string decimalText(std::int64_t scaled, std::int32_t places);

} // namespace vemo
