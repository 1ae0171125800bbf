#include "view/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vemo {

std::int32_t roundHalfToEven(double value) {
    constexpr double Half = 0.5;
    constexpr double Lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double Highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > Half || (fraction == Half && std::fmod(below, 2.0) != 0.0)) rounded += 1.0;
    return static_cast<std::int32_t>(std::clamp(rounded, Lowest, Highest));
}

} // namespace vemo
