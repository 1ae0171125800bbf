#include "convert/AvrTone.h"
#include "convert/Formats.h"
#include "sound/ToneList.h"
#include "tests/support/MelodyFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vemo {
namespace {

// Worked out by hand from the timer's output frequency, 16 MHz / (2 * N * (1 + OCR)), N being the
// first prescaler of 1, 8, 32, 64, 128, 256 and 1024 that leaves OCR = 16 MHz / (2 * f * N) - 1,
// rounded down, within 255.
TEST(AvrTone, BothArduinoTextsSoundAtTheTimersPitches) {
    const struct {
        std::int32_t askedHz;
        std::int32_t playedHz;
        std::int32_t extraMilliHz;
    } pitches[] = {
        {33, 33, 104},     // N 1024, OCR 235: 16e6 / 483328
        {123, 123, 31},    // N 256, OCR 253: 16e6 / 130048
        {440, 440, 141},   // N 128, OCR 141: 16e6 / 36352
        {3379, 3424, 658}, // N 32, OCR 72: 16e6 / 4672, the furthest row
        {7920, 7936, 508}, // N 8, OCR 125: 16e6 / 2016
        {20, 58, 302},     // N 1024, OCR 389 kept as 133 by the 8-bit register: 16e6 / 274432
    };
    TargetInput input;
    input.columnDuration = 120;
    ToneList expected;
    for (const auto& pitch : pitches) {
        input.tones.push_back({pitch.askedHz, 0, 120});
        input.tones.push_back({0, 1, 60});
        expected.push_back({pitch.playedHz, 0, 120, pitch.extraMilliHz});
        expected.push_back({0, 1, 60});
    }
    for (const char* name : {"arduino", "arduino-table"}) {
        const Format* format = formatNamed(name);
        ASSERT_NE(format->sound, nullptr) << name;
        EXPECT_EQ(format->sound(input), expected) << name;
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
        const double played = static_cast<double>(avrToneMilliHz(asked)) / 1000.0;
        const double percent = std::abs(played - asked) / asked * 100.0;
        farOff += percent > 0.5 ? 1 : 0;
        worstPercent = std::max(worstPercent, percent);
    }
    EXPECT_EQ(melody.lastRow + 1, 96);
    EXPECT_EQ(farOff, 20);
    EXPECT_GT(worstPercent, 1.3);
    EXPECT_LE(worstPercent, 1.4);
}

} // namespace
} // namespace vemo
