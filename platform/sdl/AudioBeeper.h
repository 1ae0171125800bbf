#pragma once

#include "platform/Beeper.h"

#include <memory>

namespace vemo {

// Opens the one SDL2 audio output (48 kHz, mono, a small buffer) and mixes square-wave tones
// into it. When no output can be opened, says once on standard error that sound is off and
// returns the silent beeper, which keeps the same timing.
std::unique_ptr<Beeper> makeAudioBeeper();

} // namespace vemo
