#pragma once

#include "model/Melody.h"

#include <cstdint>
#include <string>

namespace vemo {

// The pitch table's first row is the C of octave ScaleOctave - octaveShift: the scale's own C
// (264 Hz) is C4.
constexpr std::int32_t ScaleOctave = 4;

// A row's note and octave with sharps, "C#4".
std::string rowNoteName(const Melody& melody, std::int32_t row);

} // namespace vemo
