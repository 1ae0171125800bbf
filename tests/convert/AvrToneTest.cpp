#include "convert/AvrTone.h"
#include "convert/Formats.h"
#include "sound/ToneList.h"
#include "tests/support/MelodyFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace vemo {
namespace {

// Worked out by hand from the timer's output frequency, 16 MHz / (2 * N * (1 + OCR)), N being the
// first prescaler of 1, 8, 32, 64, 128, 256 and 1024 that leaves OCR = 16 MHz / (2 * f * N) - 1,
// rounded down, within 255. Each row: asked, played and the thousandths played above it.
TEST(AvrTone, BothArduinoTextsSoundAtTheTimersPitches) {
    const std::array<std::array<std::int32_t, 3>, 6> pitches{{
        {33, 33, 104},     // N 1024, OCR 235: 16e6 / 483328
        {123, 123, 31},    // N 256, OCR 253: 16e6 / 130048
        {440, 440, 141},   // N 128, OCR 141: 16e6 / 36352
        {3379, 3424, 658}, // N 32, OCR 72: 16e6 / 4672, the furthest row
        {7920, 7936, 508}, // N 8, OCR 125: 16e6 / 2016
        {20, 58, 302},     // N 1024, OCR 389 kept as 133 by the 8-bit register: 16e6 / 274432
    }};
    TargetInput input;
    ToneList expected;
    for (const auto& [asked, played, extraMilliHz] : pitches) {
        input.tones.insert(input.tones.end(), {{asked, 0, 120}, {0, 1, 60}});
        expected.insert(expected.end(), {{played, 0, 120, extraMilliHz}, {0, 1, 60}});
    }
    for (const char* name : {"arduino", "arduino-table"}) {
        ASSERT_NE(formatNamed(name)->sound, nullptr) << name;
        EXPECT_EQ(formatNamed(name)->sound(input), expected) << name;
    }
}

// As the help page says: about a fifth of the 96 rows more than 0.5 % off, the worst up to 1.4 %.
TEST(AvrTone, AFifthOfTheRowsComeOutOverHalfAPercentOff) {
    Melody melody;
    test::resetMelody(melody, 1);
    Pitch pitch;
    test::startPitch(pitch);
    int farOff = 0;
    double worstPercent = 0.0;
    for (std::int32_t row = 0; row <= melody.lastRow; ++row) {
        const std::int32_t asked = rowFrequency(melody, pitch, row);
        const double percent =
            std::abs(static_cast<double>(avrToneMilliHz(asked)) / 1000.0 - asked) / asked * 100.0;
        farOff += percent > 0.5 ? 1 : 0;
        worstPercent = std::max(worstPercent, percent);
    }
    EXPECT_EQ(farOff, 20) << "of " << melody.lastRow + 1;
    EXPECT_GT(worstPercent, 1.3);
    EXPECT_LE(worstPercent, 1.4);
}

} // namespace
} // namespace vemo
