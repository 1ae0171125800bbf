#pragma once

#include "convert/Targets.h"

#include <cstdint>

namespace vemo {

// The pitch, in thousandths of a hertz, that tone(pin, frequencyHz) gives on a 16 MHz ATmega328
// board (Arduino Uno, Nano).
std::int64_t avrToneMilliHz(std::int32_t frequencyHz);

// The tones as such a board plays the `arduino` and `arduino-table` texts: every pitch as its
// timer divides it, every duration as written.
ToneList avrToneSound(const TargetInput& input);

} // namespace vemo
