#pragma once

#include "platform/Beeper.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vemo {

inline constexpr std::int32_t SampleRateHz = 48000;
inline constexpr std::int64_t MilliHzPerHz = 1000;
inline constexpr std::int64_t SamplesPerMs = SampleRateHz / 1000;
// A quarter of full scale: a few overlapping tones still fit before clipping.
inline constexpr std::int32_t VoiceAmplitude = 8192;
// Every edge of every voice is heard this many samples after its place on the audio clock: half
// the length of the symmetric band-limiting kernel. The same for all voices, so rhythm is exact.
inline constexpr std::int64_t ToneLatencySamples = 32;
// A voice sounds from its start sample until this many samples after its end sample.
inline constexpr std::int64_t ToneTailSamples = 2 * ToneLatencySamples;

// The band-limited unit step placed at every edge, offsetSamples from its centre: 0 from half a
// kernel before it, 1 from half a kernel after.
double bandLimitedStep(double offsetSamples);

// Band-limited square-wave voices placed on the audio clock (absolute sample numbers), summed
// and clipped.
class ToneMixer {
  public:
    ToneMixer();

    // The voice's square wave runs from startSample to endSample, or until stop is set: a mix
    // drops the voices whose flag is set before it writes a sample.
    void addVoice(std::int64_t startSample, std::int64_t endSample, std::int32_t frequencyHz,
                  const StopFlag* stop = nullptr);
    // The same with the pitch in thousandths of a hertz, for devices that play between whole
    // hertz.
    void addVoiceMilliHz(std::int64_t startSample, std::int64_t endSample, std::int64_t milliHz,
                         const StopFlag* stop = nullptr);
    void clear() { voices_.clear(); }
    std::size_t voiceCount() const { return voices_.size(); }

    // Writes sampleCount samples, the first being absolute sample firstSample, and drops the
    // voices that have died away by the last of them.
    void mix(std::int16_t* samples, std::size_t sampleCount, std::int64_t firstSample);

  private:
    struct Voice {
        std::int64_t startSample;
        std::int64_t endSample;
        std::int64_t milliHz;
        const StopFlag* stop;
    };

    // Adds the voice, rounded on its own, to sums_ for count samples from firstSample.
    void addVoiceTo(const Voice& voice, std::int64_t firstSample, std::size_t count);

    std::vector<Voice> voices_;
    // Room for one stretch of samples, made ahead so that the audio callback never allocates.
    std::vector<float> voiceSamples_;
    std::vector<std::int32_t> sums_;
};

} // namespace vemo
