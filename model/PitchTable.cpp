#include "model/PitchTable.h"

#include <cmath>

namespace vemo {

void buildPitchTable(Pitch& pitch, std::int32_t octaveShift, std::int32_t lastRow) {
    // Every sharp lies a factor 16/15 above the note below it; the table is single precision.
    const auto sharp = [](double natural) { return static_cast<float>(natural * 16.0 / 15.0); };
    pitch.scaleTable = {264.0f, sharp(264), 297.0f, sharp(297), 330.0f, 352.0f,
                        sharp(352), 396.0f, sharp(396), 440.0f, sharp(440), 495.0f};
    pitch.pitchTable.assign(static_cast<std::size_t>(lastRow) + 1, 0.0f);
    for (std::int32_t i = 0; i <= lastRow; ++i) {
        const double octave = std::trunc(static_cast<double>(i) / RowsPerOctave);
        const double power = std::pow(2.0, octave - octaveShift);
        pitch.pitchTable[i] = static_cast<float>(pitch.scaleTable[i % RowsPerOctave] * power);
    }
}

} // namespace vemo
