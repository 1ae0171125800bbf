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

// One thread's tones and rests (frequency 0) as the beeper should play them: back to back from
// sample 0, through the mixer, with the last tone's tail.
struct PlayedEvent {
    std::int32_t frequencyHz;
    std::int32_t durationMs;
};

inline std::vector<std::int16_t> expectedSound(const std::vector<PlayedEvent>& events) {
    ToneMixer mixer;
    std::int64_t position = 0;
    for (const PlayedEvent& event : events) {
        const std::int64_t length = event.durationMs * SamplesPerMs;
        if (event.frequencyHz != 0) mixer.addVoice(position, position + length, event.frequencyHz);
        position += length;
    }
    std::vector<std::int16_t> samples(static_cast<std::size_t>(position + ToneTailSamples));
    mixer.mix(samples.data(), samples.size(), 0);
    return samples;
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
    while (end > 0 && samples[end - 1] == 0)
        --end;
    return end;
}

// Where a silence begins that lasts longer than a tone's tail (or to the end): a wave crosses
// zero on single samples.
inline std::size_t firstSilenceAt(const std::vector<std::int16_t>& samples, std::size_t from) {
    std::size_t quietSince = from;
    for (std::size_t index = from; index < samples.size(); ++index) {
        if (samples[index] != 0) {
            quietSince = index + 1;
        } else if (index + 1 - quietSince >= static_cast<std::size_t>(ToneTailSamples)) {
            return quietSince;
        }
    }
    return std::min(quietSince, samples.size());
}

} // namespace vemo
