#include "platform/ToneMixer.h"

#include <algorithm>
#include <limits>

namespace vemo {

namespace {

constexpr std::int32_t HalfPeriodsPerCycle = 2;

// The half period a sample falls in is computed from the voice's own start in whole numbers,
// so the wave keeps its exact pitch however long it lasts.
std::int32_t squareValue(std::int64_t samplesSinceStart, std::int64_t frequencyHz) {
    const std::int64_t halfPeriod =
        samplesSinceStart * frequencyHz * HalfPeriodsPerCycle / SampleRateHz;
    return halfPeriod % HalfPeriodsPerCycle == 0 ? VoiceAmplitude : -VoiceAmplitude;
}

} // namespace

void ToneMixer::addVoice(std::int64_t startSample, std::int64_t endSample,
                         std::int32_t frequencyHz, const StopFlag* stop) {
    if (frequencyHz <= 0 || endSample <= startSample) return;
    voices_.push_back(Voice{startSample, endSample, frequencyHz, stop});
}

void ToneMixer::mix(std::int16_t* samples, std::size_t sampleCount, std::int64_t firstSample) {
    constexpr std::int32_t Lowest = std::numeric_limits<std::int16_t>::min();
    constexpr std::int32_t Highest = std::numeric_limits<std::int16_t>::max();
    std::erase_if(voices_, [](const Voice& voice) {
        return voice.stop != nullptr && voice.stop->load(std::memory_order_relaxed) != 0;
    });
    for (std::size_t index = 0; index < sampleCount; ++index) {
        const std::int64_t sample = firstSample + static_cast<std::int64_t>(index);
        std::int32_t sum = 0;
        for (const Voice& voice : voices_) {
            if (sample >= voice.startSample && sample < voice.endSample) {
                sum += squareValue(sample - voice.startSample, voice.frequencyHz);
            }
        }
        samples[index] = static_cast<std::int16_t>(std::clamp(sum, Lowest, Highest));
    }
    const std::int64_t nextSample = firstSample + static_cast<std::int64_t>(sampleCount);
    std::erase_if(voices_,
                  [nextSample](const Voice& voice) { return voice.endSample <= nextSample; });
}

} // namespace vemo
