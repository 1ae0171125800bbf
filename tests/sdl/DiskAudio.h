#pragma once

#include "platform/ToneMixer.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vemo {

// Sends SDL's audio output to a raw file of 16-bit mono samples while it lives. Create it
// before the beeper, and read the samples once the beeper is gone and the file is closed.
class DiskAudio {
  public:
    explicit DiskAudio(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("vemo-" + name + "-" + std::to_string(::getpid()) + ".raw")) {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
        // The default pace follows the buffer length, close to real time.
        ::unsetenv("SDL_DISKAUDIODELAY");
    }

    DiskAudio(const DiskAudio&) = delete;
    DiskAudio& operator=(const DiskAudio&) = delete;

    ~DiskAudio() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        ::unsetenv("SDL_AUDIODRIVER");
        ::unsetenv("SDL_DISKAUDIOFILE");
    }

    std::vector<std::int16_t> samples() const {
        std::ifstream file(path_, std::ios::binary);
        std::vector<std::int16_t> result;
        std::int16_t sample = 0;
        while (file.read(reinterpret_cast<char*>(&sample), sizeof sample))
            result.push_back(sample);
        return result;
    }

  private:
    std::filesystem::path path_;
};

// A square wave as it should come out: it begins with its high half, and both halves last
// exactly half a period, which holds for frequencies that divide the half-rate evenly.
inline std::vector<std::int16_t> idealSquare(std::int32_t frequencyHz, std::int32_t durationMs) {
    const std::int64_t halfPeriodSamples = SampleRateHz / 2 / frequencyHz;
    const std::int64_t length = durationMs * SamplesPerMs;
    std::vector<std::int16_t> wave;
    for (std::int64_t index = 0; index < length; ++index) {
        const bool isHigh = (index / halfPeriodSamples) % 2 == 0;
        wave.push_back(static_cast<std::int16_t>(isHigh ? VoiceAmplitude : -VoiceAmplitude));
    }
    return wave;
}

inline std::size_t firstSoundAt(const std::vector<std::int16_t>& samples, std::size_t from = 0) {
    for (std::size_t index = from; index < samples.size(); ++index) {
        if (samples[index] != 0) return index;
    }
    return samples.size();
}

// One past the last sound; 0 when there is none.
inline std::size_t soundEnd(const std::vector<std::int16_t>& samples) {
    std::size_t end = samples.size();
    while (end > 0 && samples[end - 1] == 0) --end;
    return end;
}

inline std::size_t firstSilenceAt(const std::vector<std::int16_t>& samples, std::size_t from) {
    for (std::size_t index = from; index < samples.size(); ++index) {
        if (samples[index] == 0) return index;
    }
    return samples.size();
}

} // namespace vemo
