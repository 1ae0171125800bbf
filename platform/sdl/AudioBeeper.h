#pragma once

#include "platform/Beeper.h"

#include <memory>
#include <string>

namespace vemo {

// Opens the one SDL2 audio output (48 kHz, mono, a small buffer) and mixes square-wave tones
// into it. When no output can be opened, says once on standard error, in the program's name,
// that sound is off and returns the silent beeper, which keeps the same timing.
std::unique_ptr<Beeper> makeAudioBeeper(const std::string& programName);

// The audio clock of a beeper made here: how many samples the output has been given so far;
// -1 for the silent beeper. For measurements on the disk driver, whose file starts at sample 0.
std::int64_t producedSamples(Beeper& beeper);

} // namespace vemo
