#pragma once

#include "model/PitchTable.h"
#include "model/Tones.h"

namespace vemo {

struct MelodyRange {
    std::int32_t firstNoteColumn = -1; // -1: no note in range
    std::int32_t lastNoteColumn = 0;
};

// Whole hertz of a grid row: the table entry truncated toward zero.
std::int32_t rowFrequency(const Melody& melody, const Pitch& pitch, std::int32_t row);

// First and last note column, inside the selection when it is in use.
MelodyRange melodyRange(const Melody& melody, const Selection& selection);

// The tones and rests of the range: a tied chain is one tone, each empty column one rest.
ToneList buildToneList(const Melody& melody, const Pitch& pitch, MelodyRange range);

} // namespace vemo
