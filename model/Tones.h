#pragma once

#include <cstdint>
#include <vector>

namespace vemo {

// One tone or rest of a melody as it sounds: a tied chain is one tone.
struct ToneEvent {
    std::int32_t frequency = 0;
    std::int32_t isRest = 0;
    std::int32_t duration = 0;
    // Thousandths of a hertz above `frequency`, 0 to 999: a device that divides a clock plays
    // between whole hertz. Only a rendering hears them; texts write `frequency`.
    std::int32_t extraMilliHz = 0;

    friend bool operator==(const ToneEvent&, const ToneEvent&) = default;
};

using ToneList = std::vector<ToneEvent>;

} // namespace vemo
