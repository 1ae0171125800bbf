#pragma once

#include "model/PitchTable.h"

#include <cstdint>

namespace vemo {

// Semitones count as MIDI does: C4 is 60, A4 = 440 Hz is 69. The grid's rows span C1 (24) to B8.
constexpr std::int32_t LowestRowSemitone = 24;
constexpr std::int32_t HighestRowSemitone =
    LowestRowSemitone + StartOctaveCount * RowsPerOctave - 1;

double semitoneFrequency(std::int32_t semitone);
// The equal-tempered semitone nearest to a frequency (a ratio, not a difference in hertz).
std::int32_t nearestSemitone(double frequency);
// The grid row (0 = top) whose table frequency lies nearest, as a ratio, to the frequency.
std::int32_t nearestRow(const Melody& melody, const Pitch& pitch, double frequency);

} // namespace vemo
