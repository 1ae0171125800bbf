#pragma once

#include "platform/Beeper.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vemo {

inline constexpr std::int32_t SampleRateHz = 48000;
inline constexpr std::int64_t SamplesPerMs = SampleRateHz / 1000;
// A quarter of full scale: a few overlapping tones still fit before clipping.
inline constexpr std::int32_t VoiceAmplitude = 8192;

// Square-wave voices placed on the audio clock (absolute sample numbers), summed and clipped.
class ToneMixer {
  public:
    // The voice sounds for samples startSample <= n < endSample, or until stop is set: a mix
    // drops the voices whose flag is set before it writes a sample.
    void addVoice(std::int64_t startSample, std::int64_t endSample, std::int32_t frequencyHz,
                  const StopFlag* stop = nullptr);
    void clear() { voices_.clear(); }
    std::size_t voiceCount() const { return voices_.size(); }

    // Writes sampleCount samples, the first being absolute sample firstSample, and drops the
    // voices that have ended by the last of them.
    void mix(std::int16_t* samples, std::size_t sampleCount, std::int64_t firstSample);

  private:
    struct Voice {
        std::int64_t startSample;
        std::int64_t endSample;
        std::int64_t frequencyHz;
        const StopFlag* stop;
    };

    std::vector<Voice> voices_;
};

} // namespace vemo
