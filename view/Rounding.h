#pragma once

#include <cstdint>

namespace vemo {

// Nearest integer with halves to the even neighbour (2907.5 -> 2908, 2906.5 -> 2906), made
// explicit so that it does not depend on the floating-point rounding mode in force.
std::int32_t roundHalfToEven(double value);

} // namespace vemo
