#include "convert/EqualTemper.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vemo {

namespace {

constexpr double ConcertA = 440.0;
constexpr std::int32_t ConcertASemitone = 69;

} // namespace

double semitoneFrequency(std::int32_t semitone) {
    return ConcertA * std::exp2((semitone - ConcertASemitone) / 12.0);
}

std::int32_t nearestSemitone(double frequency) {
    if (!(frequency > 0.0)) return 0;
    const double semitone = ConcertASemitone + 12.0 * std::log2(frequency / ConcertA);
    return static_cast<std::int32_t>(std::lround(std::clamp(semitone, -1000.0, 1000.0)));
}

std::int32_t nearestRow(const Melody& melody, const Pitch& pitch, double frequency) {
    std::int32_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::int32_t index = 0; index <= melody.lastRow; ++index) {
        const double distance = std::abs(std::log2(pitch.pitchTable[index] / frequency));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = index;
        }
    }
    return melody.lastRow - best;
}

} // namespace vemo
