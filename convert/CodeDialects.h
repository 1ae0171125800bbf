#pragma once

#include "model/Tones.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The program text a tone list can be written as: vemo's own statements, Arduino sketches, the
// Linux `beep` command and a plain C table.
enum class CodeDialect { Beep, Arduino, ArduinoTable, LinuxBeep, CArray };

// The names users type, the default (`beep`) first.
std::vector<std::string_view> codeDialectNames();
std::optional<CodeDialect> codeDialectNamed(std::string_view name);

// The text of the tones in the dialect, line by line; no tones give no text.
std::vector<std::string> codeLinesFor(CodeDialect dialect, const ToneList& tones);

} // namespace vemo
