#pragma once

#include "convert/Targets.h"

#include <string>
#include <vector>

namespace vemo {

// Scripts that play the tones on a device of their own: MicroPython and CircuitPython boards with a
// buzzer on a PWM pin, the Windows console's beep from PowerShell, a 3D printer's speaker through
// Marlin G-code. A run of rests is one wait. No tones give no text.
std::vector<std::string> micropythonText(const TargetInput& input);
std::vector<std::string> circuitpythonText(const TargetInput& input);
std::vector<std::string> powershellText(const TargetInput& input);
std::vector<std::string> marlinText(const TargetInput& input);

// MicroPython's PWM on the ESP8266 plays 1 to 1000 Hz.
std::vector<TargetProblem> micropythonCheck(const TargetInput& input);
// Console.Beep refuses frequencies under 37 Hz and over 32767 Hz.
std::vector<TargetProblem> powershellCheck(const TargetInput& input);

} // namespace vemo
