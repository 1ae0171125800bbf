#include "convert/AvrTone.h"

#include "platform/ToneMixer.h"

#include <algorithm>
#include <array>

namespace vemo {

namespace {

constexpr std::int64_t ClockHz = 16'000'000;
// tone() drives the 8-bit timer 2 in clear-on-match mode and toggles the pin at every match, so
// the pin's frequency is ClockHz / (2 * prescaler * (divider + 1)). The prescaler is the first of
// the timer's that lets the divider fit in 8 bits.
constexpr std::array<std::int64_t, 7> Prescalers{1, 8, 32, 64, 128, 256, 1024};
constexpr std::int64_t LargestDivider = 255;

} // namespace

// The divider is the whole part of ClockHz / (2 * frequency * prescaler), less one: the integer
// division rounds down, so the pitch comes out at or above the one asked for, further off the
// smaller the divider. Below about 31 Hz even the largest prescaler leaves a divider too wide
// for the register, which keeps its low 8 bits. The resulting pitch is rounded to the nearest
// thousandth of a hertz.
std::int64_t avrToneMilliHz(std::int32_t frequencyHz) {
    if (frequencyHz <= 0) return 0;
    std::int64_t prescaler = Prescalers.back();
    std::int64_t divider = 0;
    for (const std::int64_t candidate : Prescalers) {
        prescaler = candidate;
        divider = ClockHz / (2 * std::int64_t{frequencyHz} * prescaler) - 1;
        if (divider <= LargestDivider) break;
    }
    divider = std::max<std::int64_t>(divider, 0) & LargestDivider;
    const std::int64_t periodTicks = 2 * prescaler * (divider + 1);
    return (ClockHz * MilliHzPerHz + periodTicks / 2) / periodTicks;
}

ToneList avrToneSound(const TargetInput& input) {
    ToneList played = input.tones;
    for (ToneEvent& event : played) {
        if (event.isRest != 0) continue;
        const std::int64_t milliHz = avrToneMilliHz(event.frequency);
        event.frequency = static_cast<std::int32_t>(milliHz / MilliHzPerHz);
        event.extraMilliHz = static_cast<std::int32_t>(milliHz % MilliHzPerHz);
    }
    return played;
}

} // namespace vemo
