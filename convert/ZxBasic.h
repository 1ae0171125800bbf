#pragma once

#include "convert/Targets.h"

#include <string>
#include <vector>

namespace vemo {

// A ZX Spectrum BASIC program: numbered lines of `BEEP seconds,pitch` (the pitch in semitones from
// middle C, with hundredths, so that the just scale keeps its own pitches) and `PAUSE frames` at
// 50 frames a second for a run of rests. No tones give no text.
std::vector<std::string> zxText(const TargetInput& input);

// What BEEP and PAUSE cannot play exactly: pitches outside -60 to 69, rests that are no whole
// number of 20 ms frames, notes longer than one BEEP.
std::vector<TargetProblem> zxCheck(const TargetInput& input);

} // namespace vemo
