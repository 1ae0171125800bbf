#pragma once

#include <cstdint>

namespace vemo {

// The current left-button stroke and the cells hit by the latest edits.
struct Stroke {
    std::int32_t strokeFirst = -1; // -1: no stroke
    std::int32_t strokeLast = 0;
    std::int32_t lastHitColumn = 0;
    std::int32_t lastHitRow = 0;
    std::int32_t previousHitColumn = 0;
    std::int32_t previousHitRow = 0;
};

} // namespace vemo
